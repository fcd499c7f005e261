# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a file in DIR (not its subfolders, which hold programs and
# modules of their own) includes a header of a src/ folder that the library
# FOLDER may not use.
#   cmake -DFOLDER=name -DDIR=path -DALLOWED=a|b -DFOLDERS=a|b|c [-DSTAMP=file] -P check_layers.cmake
# ALLOWED: the folders FOLDER may include (itself and what it links, all the
# way down); FOLDERS: every folder of src/. Lists are '|'-separated so that
# they pass through a build command unchanged.
cmake_minimum_required(VERSION 3.20)
string(REPLACE "|" ";" allowed "${ALLOWED}")
string(REPLACE "|" ";" folders "${FOLDERS}")
get_filename_component(dir "${DIR}" ABSOLUTE)
file(GLOB files "${dir}/*.h" "${dir}/*.cpp")
set(crossing "")
foreach(file IN LISTS files)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"/]+/")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"/]+)/.*" "\\1" folder "${line}")
    if(folder IN_LIST folders AND NOT folder IN_LIST allowed)
      file(RELATIVE_PATH shown "${dir}" "${file}")
      string(APPEND crossing "\n  ${shown}: ${line}")
    endif()
  endforeach()
endforeach()
if(crossing)
  list(JOIN allowed ", " named)
  message(FATAL_ERROR "src/${FOLDER} may include only from ${named}:${crossing}")
endif()
if(STAMP)
  file(TOUCH "${STAMP}")
endif()
