# What `cmake --install` puts on the system, and the Debian package `cpack` builds from it.
include(GNUInstallDirs)

install(TARGETS kvarn-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(KVARN_GUI)
  install(TARGETS Kvarn_5x36 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/kvarn-5x36.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/kvarn-5x36.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 24 32 48 64 128 256)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/${size}/kvarn-5x36.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()
# The help pages are compiled into the program; their sources are installed too, readable
# without it.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/help/ DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kvarn-5x36/help
        FILES_MATCHING PATTERN "*.md" PATTERN "contents.txt")

set(CPACK_PACKAGE_NAME "kvarn-5x36")
set(CPACK_PACKAGE_VENDOR "Kvarn 5x36")
set(CPACK_PACKAGE_CONTACT "Kvarn 5x36 <kvarn-5x36@packages.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Statistics analyser for a 5-of-36 number lottery")
set(CPACK_PACKAGE_DESCRIPTION
    "An archive of past draws, statistic methods that double as filters over all 376,992 \
combinations, stakes and their checking, a rating of recipes and back-tests of scenarios. \
Russian interface; kvarn-cli runs the same engine without a display.")
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "misc")
# Shared libraries come from dpkg-shlibdeps; the toolkit's platform plugins and its Russian texts
# are loaded at run time, so no library link names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(KVARN_GUI)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
endif()
include(CPack)
