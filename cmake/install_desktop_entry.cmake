# Run at install time: writes the desktop entry with Exec= naming the
# program by its full path when the installation's bin folder is not one a
# desktop searches (so that `cmake --install build --prefix /opt/k` gets
# /opt/k/bin/kestrane), and by its name otherwise.
# Expects KESTRANE_DESKTOP_TEMPLATE, KESTRANE_BINDIR and KESTRANE_DATADIR.
if(IS_ABSOLUTE "${KESTRANE_BINDIR}")
  set(bin "${KESTRANE_BINDIR}")
else()
  set(bin "${CMAKE_INSTALL_PREFIX}/${KESTRANE_BINDIR}")
endif()
if(IS_ABSOLUTE "${KESTRANE_DATADIR}")
  set(data "${KESTRANE_DATADIR}")
else()
  set(data "${CMAKE_INSTALL_PREFIX}/${KESTRANE_DATADIR}")
endif()
if(bin STREQUAL "/usr/bin" OR bin STREQUAL "/usr/local/bin")
  set(KESTRANE_EXEC kestrane)
elseif(bin MATCHES " ")
  set(KESTRANE_EXEC "\"${bin}/kestrane\"")
else()
  set(KESTRANE_EXEC "${bin}/kestrane")
endif()
set(entry "$ENV{DESTDIR}${data}/applications/org.kestrane.Kestrane.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${KESTRANE_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
