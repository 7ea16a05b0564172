# Turns a picture drawn as text into a Windows icon file:
#
#   cmake -DIN=picture.txt -DOUT=picture.ico -P make_icon.cmake
#
# The text is plain ASCII, one line at a time:
#   # ...            a comment (blank lines are skipped too)
#   X = name         the character X stands for one of the 16 colours named below, or for "transparent"
#   image WxH        starts an image W pixels wide and H high; its H rows follow, W characters each
# Every image becomes one 16-colour (4-bit) DIB with its AND mask, in the order drawn: list the biggest
# first, as the shell does.
#
# CMake has no way to write arbitrary bytes: file(WRITE) cannot write a NUL byte at all, and on Windows it
# writes through a text-mode stream that turns every 0x0A into 0D 0A. So the icon is built as a hex
# string, put into a one-file cpio archive, base64-encoded in a "begin-base64" wrapper, and unpacked with
# file(ARCHIVE_EXTRACT): libarchive, which every CMake carries, decodes that wrapper. The file that comes
# out is read back and compared with the hex string, byte for byte.
cmake_minimum_required(VERSION 3.25)

if(NOT DEFINED IN OR NOT DEFINED OUT)
    message(FATAL_ERROR "usage: cmake -DIN=picture.txt -DOUT=picture.ico -P make_icon.cmake")
endif()

# The standard 16-colour palette, in the order of the Windows 16-colour DIB palette.
set(colour_names black maroon green olive navy purple teal silver gray red lime yellow blue fuchsia aqua white)
set(colour_rgb 000000 800000 008000 808000 000080 800080 008080 c0c0c0
               808080 ff0000 00ff00 ffff00 0000ff ff00ff 00ffff ffffff)
set(hex_digits 0 1 2 3 4 5 6 7 8 9 a b c d e f)

function(fail line_no message)
    message(FATAL_ERROR "${IN}:${line_no}: ${message}")
endfunction()

# Appends VALUE to the hex string named OUT as BYTES little-endian bytes.
function(append_le out value bytes)
    set(hex "")
    foreach(i RANGE 1 ${bytes})
        math(EXPR high "(${value} >> 4) & 15")
        math(EXPR low "${value} & 15")
        list(GET hex_digits ${high} h)
        list(GET hex_digits ${low} l)
        string(APPEND hex "${h}${l}")
        math(EXPR value "${value} >> 8")
    endforeach()
    set(${out} "${${out}}${hex}" PARENT_SCOPE)
endfunction()

# Appends an ASCII string to the hex string named OUT.
function(append_ascii out text)
    string(HEX "${text}" hex)
    set(${out} "${${out}}${hex}" PARENT_SCOPE)
endfunction()

# Sets OUT to VALUE in octal, zero-padded to WIDTH digits (cpio's header fields).
function(octal out value width)
    set(digits "")
    foreach(i RANGE 1 ${width})
        math(EXPR digit "${value} & 7")
        string(PREPEND digits "${digit}")
        math(EXPR value "${value} >> 3")
    endforeach()
    if(NOT value EQUAL 0)
        message(FATAL_ERROR "${value} does not fit in ${width} octal digits")
    endif()
    set(${out} "${digits}" PARENT_SCOPE)
endfunction()

# Pads the hex string named OUT with zeros to a whole number of DWORDs: every DIB row ends on one.
function(pad_row out)
    string(LENGTH "${${out}}" length)
    math(EXPR padding "(8 - ${length} % 8) % 8")
    string(REPEAT "0" ${padding} zeros)
    set(${out} "${${out}}${zeros}" PARENT_SCOPE)
endfunction()

# ---- Read the picture ----------------------------------------------------------------------------------
# Line by line with string(FIND) rather than as a CMake list: a '[' or ';' in a comment would split or
# join list elements.
file(READ "${IN}" text)
string(REPLACE "\r" "" text "${text}")
string(APPEND text "\n")

set(legend_chars "")   # the characters of the legend, in order ...
set(legend_values "")  # ... and what each stands for: a palette index, or "t" for transparent
set(image_count 0)
set(rows_left 0)
set(line_no 0)
while(NOT text STREQUAL "")
    string(FIND "${text}" "\n" end)
    string(SUBSTRING "${text}" 0 ${end} line)
    math(EXPR next "${end} + 1")
    string(SUBSTRING "${text}" ${next} -1 text)
    math(EXPR line_no "${line_no} + 1")

    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
        continue()
    endif()

    if(rows_left GREATER 0)
        set(n ${image_count})
        string(LENGTH "${line}" length)
        if(NOT length EQUAL width_${n})
            fail(${line_no} "a row of ${length} pixels in an image ${width_${n}} wide")
        endif()
        set(xor_row "")
        set(and_row "")
        set(and_bits 0)
        set(bit 8)
        math(EXPR last "${length} - 1")
        foreach(column RANGE ${last})
            string(SUBSTRING "${line}" ${column} 1 char)
            string(FIND "${legend_chars}" "${char}" index)
            if(index EQUAL -1)
                math(EXPR column "${column} + 1")
                fail(${line_no} "'${char}' in column ${column} is not in the legend")
            endif()
            list(GET legend_values ${index} value)
            if(value STREQUAL "t")
                # Transparent: black in the colour bits, so that the AND mask alone shows through.
                string(APPEND xor_row "0")
                math(EXPR and_bits "${and_bits} | ${bit}")
            else()
                list(GET hex_digits ${value} digit)
                string(APPEND xor_row "${digit}")
            endif()
            math(EXPR bit "${bit} >> 1")
            if(bit EQUAL 0)
                list(GET hex_digits ${and_bits} digit)
                string(APPEND and_row "${digit}")
                set(and_bits 0)
                set(bit 8)
            endif()
        endforeach()
        if(NOT bit EQUAL 8)
            list(GET hex_digits ${and_bits} digit)
            string(APPEND and_row "${digit}")
        endif()
        pad_row(xor_row)
        pad_row(and_row)
        # DIB rows run bottom-up: each new row goes in front.
        string(PREPEND xor_${n} "${xor_row}")
        string(PREPEND and_${n} "${and_row}")
        math(EXPR rows_left "${rows_left} - 1")
    elseif(line MATCHES "^([!-~]) *= *([a-z]+)$")
        set(char "${CMAKE_MATCH_1}")
        set(name "${CMAKE_MATCH_2}")
        if(char MATCHES "[#;\\\\]")
            fail(${line_no} "'${char}' cannot stand for a colour")
        endif()
        string(FIND "${legend_chars}" "${char}" known)
        if(NOT known EQUAL -1)
            fail(${line_no} "'${char}' is in the legend twice")
        endif()
        if(name STREQUAL "transparent")
            set(value t)
        else()
            list(FIND colour_names "${name}" value)
            if(value EQUAL -1)
                string(JOIN ", " known_names ${colour_names})
                fail(${line_no} "no colour is called '${name}'; the colours are: ${known_names}")
            endif()
        endif()
        string(APPEND legend_chars "${char}")
        list(APPEND legend_values ${value})
    elseif(line MATCHES "^image +([0-9]+)x([0-9]+)$")
        set(w ${CMAKE_MATCH_1})
        set(h ${CMAKE_MATCH_2})
        if(w LESS 1 OR w GREATER 256 OR h LESS 1 OR h GREATER 256)
            fail(${line_no} "an icon image is 1 to 256 pixels each way, not ${w}x${h}")
        endif()
        math(EXPR image_count "${image_count} + 1")
        set(width_${image_count} ${w})
        set(height_${image_count} ${h})
        set(xor_${image_count} "")
        set(and_${image_count} "")
        set(rows_left ${h})
    else()
        fail(${line_no} "expected a legend line \"X = colour\", \"image WxH\" or a comment")
    endif()
endwhile()

if(rows_left GREATER 0)
    fail(${line_no} "the file ends ${rows_left} row(s) short of the last image")
endif()
if(image_count EQUAL 0)
    message(FATAL_ERROR "${IN}: no image")
endif()

# ---- Build the .ico ------------------------------------------------------------------------------------
set(palette "")
foreach(rgb IN LISTS colour_rgb)
    # RGBQUAD: blue, green, red, reserved.
    string(SUBSTRING "${rgb}" 0 2 r)
    string(SUBSTRING "${rgb}" 2 2 g)
    string(SUBSTRING "${rgb}" 4 2 b)
    string(APPEND palette "${b}${g}${r}00")
endforeach()

set(ico "")
append_le(ico 0 2)               # reserved
append_le(ico 1 2)               # type: icon
append_le(ico ${image_count} 2)  # number of images
math(EXPR offset "6 + 16 * ${image_count}")
set(images "")
foreach(n RANGE 1 ${image_count})
    set(w ${width_${n}})
    set(h ${height_${n}})
    string(LENGTH "${xor_${n}}${and_${n}}" bits_length)
    math(EXPR bits_size "${bits_length} / 2")
    math(EXPR size "40 + 64 + ${bits_size}")

    # ICONDIRENTRY: a width or height of 256 is written as 0.
    math(EXPR w_byte "${w} & 255")
    math(EXPR h_byte "${h} & 255")
    append_le(ico ${w_byte} 1)
    append_le(ico ${h_byte} 1)
    append_le(ico 16 1)          # colours in the palette
    append_le(ico 0 1)           # reserved
    append_le(ico 1 2)           # planes
    append_le(ico 4 2)           # bits per pixel
    append_le(ico ${size} 4)
    append_le(ico ${offset} 4)
    math(EXPR offset "${offset} + ${size}")

    # BITMAPINFOHEADER: the height counts the colour bits and the AND mask, hence twice the image's.
    math(EXPR double_h "2 * ${h}")
    append_le(images 40 4)
    append_le(images ${w} 4)
    append_le(images ${double_h} 4)
    append_le(images 1 2)        # planes
    append_le(images 4 2)        # bits per pixel
    append_le(images 0 4)        # BI_RGB
    append_le(images ${bits_size} 4)
    append_le(images 0 4)        # pixels per metre, x
    append_le(images 0 4)        # pixels per metre, y
    append_le(images 0 4)        # colours used: all 16
    append_le(images 0 4)        # important colours: all
    string(APPEND images "${palette}${xor_${n}}${and_${n}}")
endforeach()
string(APPEND ico "${images}")
string(LENGTH "${ico}" ico_length)
math(EXPR ico_size "${ico_length} / 2")

# ---- Write it ------------------------------------------------------------------------------------------
# A cpio archive in the portable ASCII ("odc") form: no alignment padding, every header field in octal.
function(append_cpio_header out name file_size mode)
    string(LENGTH "${name}" name_length)
    math(EXPR name_size "${name_length} + 1")
    octal(mode_field ${mode} 6)
    octal(name_field ${name_size} 6)
    octal(size_field ${file_size} 11)
    # magic, dev, ino, mode, uid, gid, nlink, rdev, mtime, name size, file size; then the name and its NUL
    append_ascii(${out} "070707000000000001${mode_field}000000000000000001000000")
    append_ascii(${out} "00000000000${name_field}${size_field}${name}")
    set(${out} "${${out}}00" PARENT_SCOPE)
endfunction()

set(cpio "")
append_cpio_header(cpio "icon.ico" ${ico_size} 33188)  # 0100644: a regular file, rw-r--r--
string(APPEND cpio "${ico}")
append_cpio_header(cpio "TRAILER!!!" 0 0)

# Base64, 57 bytes (76 characters) a line: libarchive decodes each line on its own, in whole groups of 4.
set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
string(LENGTH "${cpio}" cpio_length)
set(encoded "begin-base64 644 icon.ico\n")
set(position 0)
while(position LESS cpio_length)
    math(EXPR left "${cpio_length} - ${position}")
    if(left GREATER 114)
        set(left 114)
    endif()
    string(SUBSTRING "${cpio}" ${position} ${left} chunk)
    math(EXPR position "${position} + ${left}")
    set(line "")
    set(i 0)
    while(i LESS left)
        math(EXPR group_left "${left} - ${i}")
        if(group_left GREATER 6)
            set(group_left 6)
        endif()
        string(SUBSTRING "${chunk}" ${i} ${group_left} group)
        math(EXPR i "${i} + ${group_left}")
        # Fill the group to 3 bytes; the missing bytes become '=' below.
        math(EXPR missing "(6 - ${group_left}) / 2")
        string(REPEAT "00" ${missing} fill)
        math(EXPR value "0x${group}${fill}")
        math(EXPR keep "4 - ${missing}")
        foreach(shift 18 12 6 0)
            if(keep GREATER 0)
                math(EXPR sextet "(${value} >> ${shift}) & 63")
                string(SUBSTRING "${alphabet}" ${sextet} 1 c)
                string(APPEND line "${c}")
                math(EXPR keep "${keep} - 1")
            else()
                string(APPEND line "=")
            endif()
        endforeach()
    endwhile()
    string(APPEND encoded "${line}\n")
endwhile()
string(APPEND encoded "====\n")

# Unpack next to OUT, then move the file into place, so that a failed run never leaves half an icon.
set(work "${OUT}.unpack")
file(REMOVE_RECURSE "${work}")
file(WRITE "${work}/icon.b64" "${encoded}")
# TOUCH: the archive's time stamp is 1970, and the build tool would take the icon for out of date forever.
file(ARCHIVE_EXTRACT INPUT "${work}/icon.b64" DESTINATION "${work}/out" TOUCH)
file(READ "${work}/out/icon.ico" written HEX)
if(NOT written STREQUAL ico)
    message(FATAL_ERROR "${OUT}: the unpacked icon differs from the one built")
endif()
file(RENAME "${work}/out/icon.ico" "${OUT}")
file(REMOVE_RECURSE "${work}")
