# Debian package: cpack -G DEB in the build directory.
# The desktop entry names the icon directory with its full path, so the package
# installs below the configured prefix; configure with -DCMAKE_INSTALL_PREFIX=/usr
# for a package that follows the Debian layout.
set(CPACK_PACKAGE_NAME tastarello)
set(CPACK_PACKAGE_VENDOR "Tastarello")
set(CPACK_PACKAGE_CONTACT "Tastarello service <service@tastarello.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION
    "Connects to the master module of the key sensors over telnet and drives manual setup, calibration, key settings, pre-travel, dynamic couplers and system functions.")
# dpkg-shlibdeps finds the Qt libraries the program links against; Qt's own
# catalogues (buttons, file dialogs, context menus in German and Italian) come
# from the translations package of the same Qt.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(QT_MAJOR_VERSION STREQUAL "6")
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qttranslations5-l10n")
endif()

# Only the program's own files: the simulator and other tools install into other
# components and stay out of the package.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};tastarello;/")

include(CPack)
