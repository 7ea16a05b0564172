# Checks what the built .exe holds. One part per run:
#
#   cmake -DCHECK=embedded -DEXE=PelmoraSettings.exe -DWINDRES=<windres> -DICON_DIR=res/icons   -P this
#   cmake -DCHECK=imports  -DEXE=PelmoraSettings.exe -DOBJDUMP=<objdump> -DLIST=<import list>   -P this
#   cmake -DCHECK=reproducible -DEXE=PelmoraSettings.exe -DOBJDUMP=<objdump>
#         -DSOURCE_DIR=<source folder> -DBINARY_DIR=<build folder>                               -P this
#
# embedded: windres reads the resources back out of the .exe: the three icons as the .ico files hold them
#           (tools/icon_tool checks those against their pictures), the version block and the manifest.
# imports:  the .exe needs no DLL but Windows' own (a static build must not pull in libstdc++ and co), and
#           of those only the functions LIST names (each one Windows 7 SP1 has); its header asks for
#           Windows 7 (subsystem and OS version 6.1).
# reproducible: nothing in the .exe depends on when or where it was built: no link time in the PE header
#           or the resource directory, no source or build folder in its bytes (as 8-bit or UTF-16 text).
cmake_minimum_required(VERSION 3.25)

set(failures "")
macro(fail message)
    list(APPEND failures "${message}")
endmacro()

# Sets OUT to windres's dump, as a resource script, of the resources in FILE: an .exe (FORMAT coff) or
# a resource script (rc).
function(dump_resources out file format)
    execute_process(COMMAND "${WINDRES}" -i "${file}" -J ${format} -O rc
                    OUTPUT_VARIABLE dump ERROR_VARIABLE errors RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${WINDRES} could not read the resources of ${file}: ${errors}")
    endif()
    set(${out} "${dump}" PARENT_SCOPE)
endfunction()

# ---- embedded ------------------------------------------------------------------------------------------
if(CHECK STREQUAL "embedded")
    dump_resources(dump "${EXE}" coff)

    # Icons: the .exe's icon groups and images are exactly those of the three .ico files under IDI_APP,
    # IDI_GLOBE and IDI_FOLDER_SEARCH, and nothing else. IDI_APP (1) must stay the lowest ID: Explorer
    # shows the lowest icon group as the .exe's icon. The dump lists resources by type: the icons
    # (RT_ICON 3, RT_GROUP_ICON 14) come before the version block.
    set(icons_rc "${CMAKE_CURRENT_BINARY_DIR}/embedded_icons.rc")
    file(WRITE "${icons_rc}" "1 ICON \"${ICON_DIR}/app.ico\"\n101 ICON \"${ICON_DIR}/globe.ico\"\n"
                             "102 ICON \"${ICON_DIR}/folder_search.ico\"\n")
    dump_resources(expected "${icons_rc}" rc)
    # An .exe keeps no memory flags: the script's dump names them after each resource.
    string(REGEX REPLACE "(ICON \\*/)( [A-Z]+)+\n" "\\1\n" expected "${expected}")
    string(FIND "${dump}" "/* Type: version" icons_end)
    string(SUBSTRING "${dump}" 0 ${icons_end} icons)
    string(STRIP "${icons}" icons)
    string(STRIP "${expected}" expected)
    if(expected STREQUAL "" OR NOT icons STREQUAL expected)
        fail("the .exe's icons are not app.ico, globe.ico and folder_search.ico as IDs 1, 101 and 102")
    endif()

    # Version block.
    if(NOT dump MATCHES "\n1 VERSIONINFO\n FILEVERSION 2, 0, 0, 0\n PRODUCTVERSION 2, 0, 0, 0\n")
        fail("no VERSIONINFO 1 with FILEVERSION and PRODUCTVERSION 2,0,0,0")
    endif()
    if(NOT dump MATCHES "\n FILETYPE 0x1\n")
        fail("the version block does not say VFT_APP")
    endif()
    foreach(pair "FileVersion=2.00" "ProductVersion=2.00" "ProductName=Pelmora PM settings editor"
                 "CompanyName=Pelmora" "OriginalFilename=PelmoraSettings.exe")
        string(REGEX REPLACE "=.*" "" key "${pair}")
        string(REGEX REPLACE "^[^=]*=" "" value "${pair}")
        if(NOT dump MATCHES "VALUE \"${key}\", \"${value}\"\n")
            fail("the version block lacks ${key} \"${value}\"")
        endif()
    endforeach()
    foreach(key FileDescription LegalCopyright)
        if(NOT dump MATCHES "VALUE \"${key}\", \"[^\"]+\"\n")
            fail("the version block lacks ${key}")
        endif()
    endforeach()

    # Manifest: RT_MANIFEST 1, the one the loader reads for an .exe. The dump quotes it line by line.
    if(NOT dump MATCHES "\n1 24 [^\n]*\nBEGIN\n((  \"[^\n]*\n)+)END")
        fail("no RT_MANIFEST resource 1 in the .exe")
    else()
        string(REGEX REPLACE "(^|\n) *\"" "" manifest "${CMAKE_MATCH_1}")
        string(REGEX REPLACE "\\\\n\"" " " manifest "${manifest}")
        string(REPLACE "\"\"" "\"" manifest "${manifest}")
        string(REGEX REPLACE "[ \t\r\n]+" " " manifest "${manifest}")
        string(REGEX REPLACE "<!--([^-]|-[^-])*-->" "" manifest "${manifest}")
        string(REGEX MATCH "<assemblyIdentity [^>]*name=\"Microsoft.Windows.Common-Controls\"[^>]*>" controls
               "${manifest}")
        foreach(attribute "version=\"6.0.0.0\"" "publicKeyToken=\"6595b64144ccf1df\""
                          "processorArchitecture=\"\\*\"")
            if(NOT controls MATCHES "${attribute}")
                fail("the manifest's Common-Controls dependency lacks ${attribute}: '${controls}'")
            endif()
        endforeach()
        foreach(pattern "<requestedExecutionLevel level=\"asInvoker\""
                        "<dpiAware [^>]*>true/pm</dpiAware>"
                        "<dpiAwareness [^>]*>PerMonitorV2, PerMonitor</dpiAwareness>"
                        "<supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"/>"
                        "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"
                        "<longPathAware [^>]*>true</longPathAware>")
            if(NOT manifest MATCHES "${pattern}")
                fail("the manifest lacks ${pattern}")
            endif()
        endforeach()
        if(manifest MATCHES "activeCodePage")
            fail("the manifest sets activeCodePage: the program relies on the legacy ANSI code page")
        endif()
    endif()
    if(NOT failures)
        message(STATUS "embedded: icon groups 1, 101, 102; version 2.00; manifest")
    endif()

# ---- imports -------------------------------------------------------------------------------------------
elseif(CHECK STREQUAL "imports")
    execute_process(COMMAND "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE dump ERROR_VARIABLE errors
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${OBJDUMP} could not read ${EXE}: ${errors}")
    endif()
    # Windows' own DLLs, and only those a program like this one may use. oleacc (Active Accessibility,
    # part of every Windows since 98) serves the controls' accessible objects to screen readers.
    set(allowed kernel32 user32 gdi32 comctl32 comdlg32 shell32 shlwapi advapi32 ole32 oleaut32 oleacc
                uxtheme version msvcrt ucrtbase)
    string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${dump}")
    set(dlls "")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^DLL Name: *" "" dll "${line}")
        string(STRIP "${dll}" dll)
        list(APPEND dlls "${dll}")
        string(TOLOWER "${dll}" lower)
        string(REGEX REPLACE "\\.dll$" "" base "${lower}")
        if(NOT base IN_LIST allowed AND NOT base MATCHES "^api-ms-win-crt-[a-z0-9-]+$")
            fail("${dll} is not one of Windows' own DLLs: the .exe would not start without it")
        endif()
    endforeach()
    if(NOT "KERNEL32.dll" IN_LIST dlls)
        # Every Windows program imports KERNEL32: finding none means the dump was not read right.
        fail("no import of KERNEL32.dll found in the output of objdump -p")
    endif()
    # Terminal-server aware (IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE, 0x8000): on a Remote Desktop
    # host the program otherwise sees a per-user Windows folder.
    string(REGEX MATCH "DllCharacteristics[ \t]+([0-9a-fA-F]+)" characteristics "${dump}")
    if(NOT CMAKE_MATCH_1)
        fail("no DllCharacteristics in the output of objdump -p")
    else()
        math(EXPR terminal_server_aware "0x${CMAKE_MATCH_1} & 0x8000")
        if(terminal_server_aware EQUAL 0)
            fail("the .exe is not marked terminal-server aware (DllCharacteristics ${CMAKE_MATCH_1})")
        endif()
    endif()

    # Every imported function by name, and each one in the list under its DLL. objdump lists a DLL's
    # functions under its name, one a line: address, hint, name.
    file(STRINGS "${LIST}" list_lines)
    get_filename_component(list_name "${LIST}" NAME)
    set(listed "")
    set(list_dll "")
    foreach(line IN LISTS list_lines)
        if(line MATCHES "^#" OR line MATCHES "^[ \t]*$")
            continue()
        elseif(line MATCHES "^[ \t]+([^ \t]+)[ \t]*$")
            list(APPEND listed "${list_dll}:${CMAKE_MATCH_1}")
        else()
            string(STRIP "${line}" list_dll)
            string(TOLOWER "${list_dll}" list_dll)
        endif()
    endforeach()
    if(NOT listed)
        message(FATAL_ERROR "${LIST} lists no function")
    endif()
    string(FIND "${dump}" "The Import Tables" imports_at)
    string(SUBSTRING "${dump}" ${imports_at} -1 import_tables)
    string(REGEX REPLACE "\n(The Function Table|PE File Base Relocations).*" "" import_tables
           "${import_tables}")
    string(REPLACE ";" "," import_tables "${import_tables}")
    string(REPLACE "\n" ";" import_lines "${import_tables}")
    set(dll "")
    set(functions 0)
    foreach(line IN LISTS import_lines)
        if(line MATCHES "DLL Name: *([^ \t]+)")
            string(TOLOWER "${CMAKE_MATCH_1}" dll)
        elseif(line MATCHES "^\t[0-9a-fA-F]+\t +([0-9]+) +([^ \t]+)")
            math(EXPR functions "${functions} + 1")
            if(NOT "${dll}:${CMAKE_MATCH_2}" IN_LIST listed)
                fail("${CMAKE_MATCH_2} (${dll}) is imported but not in ${list_name}: is it on Windows 7 SP1?")
            endif()
        elseif(dll AND line MATCHES "^\t[0-9a-fA-F]+[ \t]")
            # objdump's line for an import by ordinal: no tab after the address, "<none>" for the name.
            fail("an import from ${dll} by ordinal, '${line}': the list names functions")
        endif()
    endforeach()
    if(functions EQUAL 0)
        fail("no imported function found in the output of objdump -p")
    endif()

    # Windows 7 (6.1) as the subsystem and OS version: the loader refuses an .exe that asks for a newer
    # Windows, and one below 6.0 gets the legacy frame metrics the layout does not expect.
    foreach(field OSystem Subsystem)
        string(REPLACE "OSystem" "OS" label "${field}")
        if(NOT dump MATCHES "\nMajor${field}Version[ \t]+([0-9]+)\nMinor${field}Version[ \t]+([0-9]+)\n")
            fail("no ${label} version in the output of objdump -p")
        elseif(NOT "${CMAKE_MATCH_1}.${CMAKE_MATCH_2}" STREQUAL "6.1")
            fail("the header's ${label} version is ${CMAKE_MATCH_1}.${CMAKE_MATCH_2}, not 6.1 (Windows 7)")
        endif()
    endforeach()
    if(NOT failures)
        message(STATUS "imports: ${functions} functions from ${dlls}, each in the list; versions 6.1")
    endif()

# ---- reproducible --------------------------------------------------------------------------------------
elseif(CHECK STREQUAL "reproducible")
    # objdump reads the link time from the COFF header and the resource compiler's from each table of
    # the resource directory; in UTC, a time stamp of 0 is the first second of 1970.
    execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE dump
                    ERROR_VARIABLE errors RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${OBJDUMP} could not read ${EXE}: ${errors}")
    endif()
    string(REGEX MATCH "\nTime/Date[ \t]+([^\n]*)" stamp "${dump}")
    if(NOT CMAKE_MATCH_1 STREQUAL "Thu Jan  1 00:00:00 1970")
        fail("the PE header holds a link time, '${CMAKE_MATCH_1}': the linker needs --no-insert-timestamp")
    endif()
    string(REGEX MATCHALL "Table: Char: [0-9]+, Time: [0-9a-fA-F]+" tables "${dump}")
    if(NOT tables)
        fail("no resource directory table found in the output of objdump -p")
    endif()
    foreach(table IN LISTS tables)
        if(NOT table MATCHES "Time: 0+$")
            fail("a resource directory table holds a time stamp: '${table}'")
            break()
        endif()
    endforeach()

    # The folders, byte for byte: a hex match counts only where it starts on a whole byte.
    file(READ "${EXE}" bytes HEX)
    foreach(folder IN ITEMS "${SOURCE_DIR}" "${BINARY_DIR}")
        string(LENGTH "${folder}" folder_length)
        if(folder_length LESS 2)
            message(FATAL_ERROR "SOURCE_DIR and BINARY_DIR must name the source and build folders")
        endif()
        string(HEX "${folder}" narrow)
        string(REGEX REPLACE "(..)" "\\100" wide "${narrow}")
        set(label_narrow "8-bit")
        set(label_wide "UTF-16")
        foreach(form narrow wide)
            set(from 0)
            while(TRUE)
                string(SUBSTRING "${bytes}" ${from} -1 rest)
                string(FIND "${rest}" "${${form}}" at)
                if(at EQUAL -1)
                    break()
                endif()
                math(EXPR at "${from} + ${at}")
                math(EXPR odd "${at} % 2")
                if(odd EQUAL 0)
                    math(EXPR offset "${at} / 2")
                    fail("${folder} is in the .exe, as ${label_${form}} text at byte ${offset}")
                    break()
                endif()
                math(EXPR from "${at} + 1")
            endwhile()
        endforeach()
    endforeach()
    if(NOT failures)
        message(STATUS "reproducible: no time stamp; neither ${SOURCE_DIR} nor ${BINARY_DIR} in the .exe")
    endif()

else()
    message(FATAL_ERROR "CHECK must be embedded, imports or reproducible")
endif()

if(failures)
    list(JOIN failures "\n  " report)
    message(FATAL_ERROR "${CHECK}:\n  ${report}")
endif()
