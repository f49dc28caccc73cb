# SPDX-FileCopyrightText: 2026 The Korvo developers
# SPDX-License-Identifier: GPL-3.0-or-later

# cmake -DROOT=<resources> -DOUTPUT=<file.cpp> -DFILES=<a|b|...> -P BundlePictures.cmake
# Writes the bundled pictures as byte arrays, each under its source name (":flags/0.png" for
# resources/flags/0.png), for the Linux program to read without any toolkit's resource system.
string(REPLACE "|" ";" FILES "${FILES}")
set(body "")
set(table "")
set(index 0)
foreach(file IN LISTS FILES)
  file(RELATIVE_PATH name ${ROOT} ${file})
  file(READ ${file} hex HEX)
  string(LENGTH "${hex}" digits)
  math(EXPR size "${digits} / 2")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(APPEND body "const unsigned char picture${index}[${size}] = {${bytes}};\n")
  string(APPEND table "    {\":${name}\", {picture${index}, ${size}}},\n")
  math(EXPR index "${index} + 1")
endforeach()
file(WRITE ${OUTPUT}.new "// Generated from resources/ by cmake/BundlePictures.cmake; do not edit.
#include \"ui/forms/bundled_pictures.h\"

#include <array>
#include <utility>

namespace korvo::forms {

namespace {
${body}
const std::array<std::pair<std::string_view, std::span<const unsigned char>>, ${index}> Pictures{{
${table}}};

}  // namespace

std::span<const unsigned char> bundledPicture(std::string_view source) {
    for (const auto& [name, bytes] : Pictures)
        if (name == source) return bytes;
    return {};
}

}  // namespace korvo::forms
")
# Only a changed table touches the file, so that nothing is rebuilt for nothing.
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different ${OUTPUT}.new ${OUTPUT})
file(REMOVE ${OUTPUT}.new)
