# Installation in the conventional places (GNUInstallDirs):
#   bin/                          qorrin, qorrin-cli, qorrin-sim
#   share/qorrin/                 the program folder: setting.ini, *.lang, the help
#                                 files *.html and their pictures in help/
#   share/applications/           qorrin.desktop (opens project files)
#   share/mime/packages/          qorrin.xml: application/x-qorrin-project for *.7Q
#   share/icons/hicolor/          the program icon, SVG and PNG sizes
#   lib/udev/rules.d/             70-qorrin-cables.rules, only on request:
#                                 -DQORRIN_INSTALL_UDEV=ON, or later
#                                 cmake --install BUILD --component udev
# The programs look for their folder in <prefix>/share/qorrin as configured, so configure
# with the prefix they will run from (-DCMAKE_INSTALL_PREFIX=/usr for a package).
include(GNUInstallDirs)

option(QORRIN_INSTALL_UDEV "Install the udev rules for USB programming cables" OFF)
set(QORRIN_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING
    "Folder of the udev rules, relative to the prefix or absolute (udev reads /usr/lib/udev/rules.d and /etc/udev/rules.d)")

set(QORRIN_SHARE_FOLDER ${CMAKE_INSTALL_DATADIR}/qorrin)

set(QORRIN_INSTALLED_PROGRAMS qorrin-cli qorrin-sim)
if(TARGET qorrin)
  list(PREPEND QORRIN_INSTALLED_PROGRAMS qorrin)
endif()
install(TARGETS ${QORRIN_INSTALLED_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

file(GLOB QORRIN_PROGRAM_FOLDER_FILES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/data/setting.ini ${CMAKE_SOURCE_DIR}/data/*.lang ${CMAKE_SOURCE_DIR}/data/*.html)
install(FILES ${QORRIN_PROGRAM_FOLDER_FILES} DESTINATION ${QORRIN_SHARE_FOLDER})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/help DESTINATION ${QORRIN_SHARE_FOLDER}
  FILES_MATCHING PATTERN "*.png")

set(QORRIN_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
install(FILES ${QORRIN_PACKAGING_DIR}/qorrin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${QORRIN_PACKAGING_DIR}/qorrin-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME qorrin.xml)
install(FILES ${QORRIN_PACKAGING_DIR}/icons/qorrin.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
  install(FILES ${QORRIN_PACKAGING_DIR}/icons/qorrin-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME qorrin.png)
endforeach()

if(QORRIN_INSTALL_UDEV)
  install(FILES ${QORRIN_PACKAGING_DIR}/70-qorrin-cables.rules DESTINATION ${QORRIN_UDEV_RULES_DIR})
else()
  install(FILES ${QORRIN_PACKAGING_DIR}/70-qorrin-cables.rules DESTINATION ${QORRIN_UDEV_RULES_DIR}
    COMPONENT udev EXCLUDE_FROM_ALL)
endif()

# The layout test: an install into a temporary prefix, checked file by file.
if(NOT QORRIN_FUZZ)
  find_program(QORRIN_BASH bash REQUIRED)
  add_test(NAME qorrin_install_layout
    COMMAND ${QORRIN_BASH} ${CMAKE_SOURCE_DIR}/tests/install/install_layout_test.sh
            ${CMAKE_BINARY_DIR} $<IF:$<TARGET_EXISTS:qorrin>,1,0>)
  set_tests_properties(qorrin_install_layout PROPERTIES TIMEOUT 300)
endif()
