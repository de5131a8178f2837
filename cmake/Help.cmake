# SPDX-License-Identifier: GPL-3.0-or-later
# A program's --help text lives in one plain text file: compiled into the program as a
# string constant, and turned into its man page (packaging/man-page.awk), so the two cannot
# drift apart.
#   kvz_embed_help(TARGET target HEADER name.h TEXTS kConstant file [kConstant file]...)
function(kvz_embed_help)
  cmake_parse_arguments(PARSE_ARGV 0 arg "" "TARGET;HEADER" "TEXTS")
  set(body "#pragma once\n// Generated from the help text files at configure time.\n")
  while(arg_TEXTS)
    list(POP_FRONT arg_TEXTS name file)
    get_filename_component(file ${file} ABSOLUTE)
    file(READ ${file} text)
    string(APPEND body "inline constexpr const char* ${name} = R\"help(${text})help\";\n")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  endwhile()
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/${arg_TARGET}-help)
  file(CONFIGURE OUTPUT ${dir}/${arg_HEADER} CONTENT "${body}" @ONLY)
  target_include_directories(${arg_TARGET} PRIVATE ${dir})
endfunction()
