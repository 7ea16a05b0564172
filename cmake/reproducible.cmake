# Two builds of one commit give the same .exe byte for byte, whatever folder they are built in and
# whenever: tools/release --check builds twice and compares, and the resources_reproducible test checks
# each build for the two things that would differ.
if(MINGW)
    # No build path in the program: __FILE__ (in assertions, say) names our sources relative to the
    # source folder. Only for C and C++: the resource compiler takes no such option.
    # The later map wins where both match (a build folder inside the source folder).
    add_compile_options("$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.>"
                        "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_BINARY_DIR}=build>")
    # No link time in the PE header: its TimeDateStamp stays 0.
    add_link_options(-Wl,--no-insert-timestamp)
endif()
