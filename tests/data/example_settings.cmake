# The example settings file (SETTINGS.TXT beside this script) for every test and bench program: the
# INTERFACE target pm_example_settings gives "example_settings.h", whose pm::test::example_settings holds
# its bytes. Made when CMake runs, again whenever the file changes.
include_guard(GLOBAL)
set(file ${CMAKE_CURRENT_LIST_DIR}/SETTINGS.TXT)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
file(READ ${file} bytes HEX)
string(REGEX REPLACE "(..)" "\\\\x\\1" bytes "${bytes}")
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/generated/example_settings.h CONTENT
     "// Made by CMake from tests/data/SETTINGS.TXT.\n#pragma once\n#include <string>\nnamespace pm::test {\ninline const std::string example_settings = \"${bytes}\";\n}\n")
add_library(pm_example_settings INTERFACE)
target_include_directories(pm_example_settings INTERFACE ${CMAKE_BINARY_DIR}/generated)
