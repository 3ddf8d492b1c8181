# Install rules and packages. On Windows the ZIP is cmake/WindowsPackage.cmake's business; here
# the desktop install (GNUInstallDirs) and CPack's .tar.gz and .deb.
if(WIN32)
  if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/WindowsPackage.cmake)
    include(${CMAKE_CURRENT_LIST_DIR}/WindowsPackage.cmake)
  endif()
  return()
endif()

include(GNUInstallDirs)

# Where the program looks for its data once installed: the data folder as seen from the
# program's own folder (an archive unpacked anywhere, a package under another prefix), then the
# absolute folder of this build's prefix. A data folder beside the program still comes first.
set(BELLRUN_INSTALL_DATA_DIR ${CMAKE_INSTALL_DATADIR}/bellrun)
file(RELATIVE_PATH BELLRUN_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/bellrun)
set_property(SOURCE engine/data/FileSystem.cpp APPEND PROPERTY COMPILE_DEFINITIONS
  BELLRUN_INSTALL_DATA_DIR="${CMAKE_INSTALL_FULL_DATADIR}/bellrun"
  BELLRUN_INSTALL_RELATIVE_DATA_DIR="${BELLRUN_DATA_FROM_BIN}")

set(BELLRUN_APP_ID com.corvane.Bellrun)
set(BELLRUN_LINUX ${CMAKE_SOURCE_DIR}/packaging/linux)

install(TARGETS bellrun RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${BELLRUN_INSTALL_DATA_DIR})
install(FILES ${BELLRUN_LINUX}/${BELLRUN_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${BELLRUN_LINUX}/${BELLRUN_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16 32 48 64 128 256)
  install(FILES ${BELLRUN_LINUX}/icons/${size}x${size}/${BELLRUN_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/README.md
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/bellrun)

# Manual pages are installed compressed, as distributions ship them.
find_program(BELLRUN_GZIP gzip)
if(BELLRUN_GZIP)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/bellrun.6.gz
    COMMAND ${BELLRUN_GZIP} -9nc ${BELLRUN_LINUX}/bellrun.6 > ${CMAKE_BINARY_DIR}/bellrun.6.gz
    DEPENDS ${BELLRUN_LINUX}/bellrun.6 VERBATIM)
  add_custom_target(bellrun_manpage ALL DEPENDS ${CMAKE_BINARY_DIR}/bellrun.6.gz)
  install(FILES ${CMAKE_BINARY_DIR}/bellrun.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
else()
  install(FILES ${BELLRUN_LINUX}/bellrun.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
endif()

set(CPACK_PACKAGE_NAME bellrun)
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_CONTACT "Corvane <bellrun@corvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "2D stealth platformer")
set(CPACK_PACKAGE_DESCRIPTION
  "Sneak past guards with vision cones, security cameras, robots and a boss through a guarded\n"
  "facility at night: run, jump, crawl, hide in trash cans and throw a capture ball and an EMP.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR TGZ DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://corvane.example/bellrun)
# The libraries the program links, as the system's packages name them (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A GL driver to draw with; the desktop's usual one for software and hardware alike.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
include(CPack)
