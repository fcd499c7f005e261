# What a distribution's package needs beside the installed program, and the
# Debian package that scripts/package builds with CPack.

set(KESTRANE_MAINTAINER "The Kestrane developers <developers@kestrane.invalid>"
  CACHE STRING "Name and address of the package's maintainer")
# The release date as a changelog writes it.
set(KESTRANE_CHANGELOG_DATE "Sun, 06 Dec 2026 00:00:00 +0000")

# The copyright and the changelog, compressed as packages keep them; the
# manual pages compressed likewise.
set(KESTRANE_PACKAGE_DIR "${CMAKE_BINARY_DIR}/package-files")
configure_file(data/debian/changelog.in "${KESTRANE_PACKAGE_DIR}/changelog" @ONLY)
set(KESTRANE_COMPRESSED "${KESTRANE_PACKAGE_DIR}/changelog.gz")
add_custom_command(OUTPUT "${KESTRANE_PACKAGE_DIR}/changelog.gz"
  COMMAND gzip -9nc "${KESTRANE_PACKAGE_DIR}/changelog" > "${KESTRANE_PACKAGE_DIR}/changelog.gz"
  DEPENDS "${KESTRANE_PACKAGE_DIR}/changelog")
if(NOT KESTRANE_FUZZ)
  set(pages kestrane-cli)
  if(KESTRANE_GUI)
    list(APPEND pages kestrane)
  endif()
  foreach(page ${pages})
    set(source "${CMAKE_BINARY_DIR}/share/man/man1/${page}.1")
    add_custom_command(OUTPUT "${KESTRANE_PACKAGE_DIR}/${page}.1.gz"
      COMMAND gzip -9nc "${source}" > "${KESTRANE_PACKAGE_DIR}/${page}.1.gz"
      DEPENDS "${source}" kestrane_manual)
    list(APPEND KESTRANE_COMPRESSED "${KESTRANE_PACKAGE_DIR}/${page}.1.gz")
    install(FILES "${KESTRANE_PACKAGE_DIR}/${page}.1.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
endif()
add_custom_target(kestrane_compressed ALL DEPENDS ${KESTRANE_COMPRESSED})
install(FILES data/debian/copyright "${KESTRANE_PACKAGE_DIR}/changelog.gz"
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kestrane)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrane)
set(CPACK_PACKAGE_VENDOR "The Kestrane developers")
set(CPACK_PACKAGE_CONTACT "${KESTRANE_MAINTAINER}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mathematics workbench for school geometry and algebra")
set(CPACK_PACKAGE_DESCRIPTION
  "Kestrane draws geometric constructions in the plane with the mouse or from
short programs in its own construction language, builds polyhedra in space
and polytopes in four dimensions, draws graphs of functions, quadratic and
cubic functions and curves, and computes exactly with fractions and roots and
to many digits with its calculator. Everything geometric is computed in long
decimal numbers. The kestrane-cli program runs the same models without a
window, for batch work and scripts.")
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows draw their texts in Arial's metric twin where it is installed;
# Qt's catalogues translate its file, colour and font dialogs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-translations-l10n")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
