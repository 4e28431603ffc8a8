# What `cmake --install` puts where, and the Debian package built from it
# (`cpack -G DEB`).  Included at the end of the top-level CMakeLists.txt, so
# that every program target is known here; each program's files are
# installed only when that program is built.
include(GNUInstallDirs)

set(TANSU_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/desktop)

# tansu_install_desktop_files(<id>): the launcher entry, the AppStream
# metainfo and the icons (scalable and 48/256 pixels) of one program.
function(tansu_install_desktop_files id)
  install(FILES ${TANSU_DESKTOP_DIR}/${id}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${TANSU_DESKTOP_DIR}/${id}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${TANSU_DESKTOP_DIR}/icons/${id}.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 48 256)
    install(FILES ${TANSU_DESKTOP_DIR}/icons/${size}/${id}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endfunction()

# The licence in the machine-readable form Debian reads
# (/usr/share/doc/<package>/copyright), made from LICENSE: its copyright
# line, and its text indented by one space with "." for each empty line.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE tansu_license)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" tansu_holder "${tansu_license}")
set(tansu_holder ${CMAKE_MATCH_1})
string(FIND "${tansu_license}" "Permission" tansu_text_start)
string(SUBSTRING "${tansu_license}" ${tansu_text_start} -1 tansu_license)
string(STRIP "${tansu_license}" tansu_license)
string(REPLACE "\n\n" "\n.\n" tansu_license "${tansu_license}")
string(REPLACE "\n" "\n " tansu_license "${tansu_license}")
set(tansu_copyright ${PROJECT_BINARY_DIR}/copyright)
file(CONFIGURE OUTPUT ${tansu_copyright} CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: TANSU

Files: *
Copyright: ${tansu_holder}
License: MIT
 ${tansu_license}
")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)

if(TARGET tansu)
  install(TARGETS tansu RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(PROGRAMS ${TANSU_DESKTOP_DIR}/tansu-launch DESTINATION ${CMAKE_INSTALL_BINDIR})
  tansu_install_desktop_files(${TANSU_APP_ID})
  install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES ${tansu_copyright} DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

if(TARGET tansu-kiss)
  install(TARGETS tansu-kiss RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(PROGRAMS ${TANSU_DESKTOP_DIR}/tansu-kiss-open DESTINATION ${CMAKE_INSTALL_BINDIR})
  tansu_install_desktop_files(${TANSU_VIEWER_ID})
  # The type of .cnf files; LZH archives have one in shared-mime-info.
  install(FILES ${TANSU_DESKTOP_DIR}/${TANSU_VIEWER_ID}.mime.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME ${TANSU_VIEWER_ID}.xml)
endif()

# The Debian package.  Library dependencies come from dpkg-shlibdeps (with
# the versions the binaries need) where it is installed; what the programs
# load at run time without linking it is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tansu)
set(CPACK_PACKAGE_VENDOR "TANSU developers")
set(CPACK_PACKAGE_CONTACT "TANSU developers <tansu@localhost>")
# Only installers that show a licence use it; the Debian package carries
# the copyright file above.
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalog manager and launcher for KiSS paper-doll sets")
set(CPACK_PACKAGE_DESCRIPTION
  "TANSU keeps a catalog of KiSS paper-doll sets (LZH archives with a short
Japanese description file) in a Shift-JIS CSV file, shows it in a grid,
sorts and reorders it, edits its records and opens a set in a KiSS viewer.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
# Platform plugins, Japanese glyphs, the toolkit's own Japanese texts.
set(tansu_runtime_packages qt6-qpa-plugins fonts-ipafont-gothic qt6-translations-l10n)
find_program(TANSU_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TANSU_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  list(PREPEND tansu_runtime_packages libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6)
  if(TARGET tansu-kiss)
    list(APPEND tansu_runtime_packages libarchive13 liblhasa0)
  endif()
endif()
list(JOIN tansu_runtime_packages ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
include(CPack)
