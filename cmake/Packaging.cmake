# The Debian package: cpack -G DEB in the build folder. It holds what cmake --install
# installs (see Install.cmake), always under /usr, whatever prefix the build folder was
# configured with: the programs find their folder beside their bin/ (../share/qorrin).
# Configure with -DQORRIN_INSTALL_UDEV=ON to ship the cable rules.
# The library dependencies come from dpkg-shlibdeps (Debian dpkg-dev).
set(CPACK_PACKAGE_NAME qorrin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Qorrin")
set(CPACK_PACKAGE_CONTACT "Qorrin developers <qorrin@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Programming software for the VLM-7Q handheld radio")
set(CPACK_PACKAGE_DESCRIPTION
  "Reads the VLM-7Q radio's configuration over a serial programming cable, edits its
channels, options, VFOs and FM presets, keeps it as a .7Q project file, prints the
channel table and writes the configuration back. Includes the command-line tool
qorrin-cli and the simulated radio qorrin-sim.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Chinese texts need a CJK font; the platform theme plugins fit the program to the desktop;
# Qt's translations put its own dialogs into the window's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-qpa-plugins, qt6-translations-l10n")
if(QORRIN_INSTALL_UDEV)
  # New cable rules apply to cables plugged in from now on.
  configure_file(${CMAKE_SOURCE_DIR}/packaging/debian/postinst ${CMAKE_BINARY_DIR}/packaging/postinst COPYONLY)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/packaging/postinst)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()
include(CPack)
