# Installation on Windows: one portable folder (a USB stick will do) with the programs and
# the program folder's files beside them, since the program folder is the executable's.
# The desktop program's Qt DLLs are added afterwards by windeployqt (see README).
set(QORRIN_INSTALLED_PROGRAMS qorrin-cli)
if(TARGET qorrin)
  list(PREPEND QORRIN_INSTALLED_PROGRAMS qorrin)
endif()
install(TARGETS ${QORRIN_INSTALLED_PROGRAMS} RUNTIME DESTINATION .)
file(GLOB QORRIN_PROGRAM_FOLDER_FILES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/data/setting.ini ${CMAKE_SOURCE_DIR}/data/*.lang ${CMAKE_SOURCE_DIR}/data/*.html)
install(FILES ${QORRIN_PROGRAM_FOLDER_FILES} DESTINATION .)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/help DESTINATION . FILES_MATCHING PATTERN "*.png")
