# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into STAGE (as DESTDIR, prefix /usr) and checks that the
# programs, their data and the desktop files are there and valid.
file(REMOVE_RECURSE "${STAGE}")

# Installed under another prefix, the desktop entry names the program by its
# full path, since no desktop searches that bin folder.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /opt/k
  RESULT_VARIABLE result OUTPUT_QUIET)
file(STRINGS "${STAGE}/opt/k/share/applications/org.kestrane.Kestrane.desktop" exec REGEX "^Exec=")
if(NOT result EQUAL 0 OR NOT exec STREQUAL "Exec=/opt/k/bin/kestrane %f")
  message(FATAL_ERROR "the desktop entry for /opt/k starts '${exec}'")
endif()
file(REMOVE_RECURSE "${STAGE}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(root "${STAGE}/usr")
set(expected
  bin/kestrane-cli
  share/kestrane/dtst
  share/kestrane/kestrane.svg
  share/kestrane/help/index.html
  share/kestrane/help/pl/index.html
  share/locale/pl/LC_MESSAGES/kestrane.mo
  share/locale/en/LC_MESSAGES/kestrane.mo
  share/kestrane/help/reference/index.html
  share/kestrane/help/reference/rules.html
  share/kestrane/help/reference/dimension_3.html
  share/kestrane/help/keys.html
  share/kestrane/examples/triangle.kst
  share/applications/org.kestrane.Kestrane.desktop
  share/icons/hicolor/scalable/apps/org.kestrane.Kestrane.svg
  share/mime/packages/org.kestrane.Kestrane.xml
  share/metainfo/org.kestrane.Kestrane.metainfo.xml
  share/man/man1/kestrane-cli.1.gz
  share/bash-completion/completions/kestrane-cli
  share/zsh/vendor-completions/_kestrane-cli
  share/fish/vendor_completions.d/kestrane-cli.fish
  share/doc/kestrane/copyright
  share/doc/kestrane/changelog.gz)
if(WITH_GUI)
  list(APPEND expected bin/kestrane share/man/man1/kestrane.1.gz)
  foreach(size 16 22 32 48 64 128 256)
    list(APPEND expected share/icons/hicolor/${size}x${size}/apps/org.kestrane.Kestrane.png)
  endforeach()
  foreach(name plane space four_d graphs fractions calculator)
    list(APPEND expected share/kestrane/screenshots/${name}.png)
  endforeach()
endif()
foreach(file ${expected})
  if(NOT EXISTS "${root}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
file(GLOB images "${root}/share/kestrane/images/*")
if(NOT images)
  message(FATAL_ERROR "no images installed")
endif()

# The installed command-line program finds its data beside it.
execute_process(COMMAND "${root}/bin/kestrane-cli" run "${root}/share/kestrane/examples/triangle.kst"
  --json - RESULT_VARIABLE result OUTPUT_VARIABLE json ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT json MATCHES "\"points\"")
  message(FATAL_ERROR "the installed kestrane-cli could not run an example: ${errors}")
endif()
# It paints PNG files with the picture module of its library folder.
if(WITH_GUI)
  execute_process(COMMAND "${root}/bin/kestrane-cli" run
    "${root}/share/kestrane/examples/triangle.kst" --png "${STAGE}/triangle.png"
    RESULT_VARIABLE result ERROR_VARIABLE errors)
  if(NOT result EQUAL 0 OR NOT EXISTS "${STAGE}/triangle.png")
    message(FATAL_ERROR "the installed kestrane-cli could not write a PNG: ${errors}")
  endif()
endif()

# The desktop entry: valid without even a hint, offering every file type the
# MIME file defines, and starting the program by name from /usr/bin.
set(entry "${root}/share/applications/org.kestrane.Kestrane.desktop")
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
  execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} "${entry}"
    RESULT_VARIABLE result OUTPUT_VARIABLE said ERROR_VARIABLE said)
  if(NOT result EQUAL 0 OR NOT said STREQUAL "")
    message(FATAL_ERROR "desktop-file-validate refused the desktop entry: ${said}")
  endif()
endif()
file(STRINGS "${entry}" exec REGEX "^Exec=")
if(NOT exec STREQUAL "Exec=kestrane %f")
  message(FATAL_ERROR "the desktop entry for /usr starts '${exec}'")
endif()
file(STRINGS "${entry}" offered REGEX "^MimeType=")
file(STRINGS "${root}/share/mime/packages/org.kestrane.Kestrane.xml" defined REGEX "<mime-type type=")
foreach(line ${defined})
  string(REGEX REPLACE ".*type=\"([^\"]+)\".*" "\\1" type "${line}")
  string(FIND "${offered}" "${type}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the desktop entry does not offer ${type}: ${offered}")
  endif()
endforeach()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
  execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
    "${root}/share/metainfo/org.kestrane.Kestrane.metainfo.xml" RESULT_VARIABLE result OUTPUT_QUIET)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "appstreamcli refused the metainfo")
  endif()
endif()
file(REMOVE_RECURSE "${STAGE}")

# Installed under another prefix, the desktop entry names the program by its
# full path, since no desktop searches that bin folder.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env DESTDIR=${STAGE} ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /opt/k
  RESULT_VARIABLE result OUTPUT_QUIET)
file(STRINGS "${STAGE}/opt/k/share/applications/org.kestrane.Kestrane.desktop" exec REGEX "^Exec=")
if(NOT result EQUAL 0 OR NOT exec STREQUAL "Exec=/opt/k/bin/kestrane %f")
  message(FATAL_ERROR "the desktop entry for /opt/k starts '${exec}'")
endif()
file(REMOVE_RECURSE "${STAGE}")
