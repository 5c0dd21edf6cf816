# The Windows cross-build runs in every ./test.sh, so it should be quick. A unity build
# compiles the sources of a target in batches, each batch as one file, so the big headers
# (the standard library, Qt, CLI11, nlohmann-json, GoogleTest) are parsed once per batch
# rather than once per file: a third of the compile time. Only here: the Linux builds
# stay as they are. Included after the targets are defined.
#
# Sources stay out of the batches when they cannot share one with others: those that
# include <windows.h> (its macros, such as WriteProfileString, would reach the next file)
# and those whose file-local helpers have the same name as another file's. A new clash
# mostly shows as a redefinition error in this build; add the file here. One kind stays
# silent: a file-local constant named like one in a header wins over it in every later
# file of the batch that uses the name inside its own unnamed namespace, so give
# file-local constants names of their own (the Windows test run then catches the rest).
set(QORRIN_BATCHED_TARGETS qorrin_core qorrin_cli_lib qorrin_core_tests qorrin_cli_tests qorrin_gui)
file(GLOB_RECURSE QORRIN_NOT_IN_BATCHES
  ${CMAKE_SOURCE_DIR}/src/*Win32.cpp ${CMAKE_SOURCE_DIR}/tests/*Win32.cpp ${CMAKE_SOURCE_DIR}/tests/*Win32Test.cpp)
list(APPEND QORRIN_NOT_IN_BATCHES
  ${CMAKE_SOURCE_DIR}/src/core/edit/VfoPanel.cpp
  ${CMAKE_SOURCE_DIR}/src/core/edit/FmPresets.cpp
  ${CMAKE_SOURCE_DIR}/src/cli/LinkCommands.cpp
  ${CMAKE_SOURCE_DIR}/src/gui/views/BulkEditDlg.cpp
  ${CMAKE_SOURCE_DIR}/src/gui/views/COptionPanel.cpp
  ${CMAKE_SOURCE_DIR}/tests/core/edit/ChannelRowTest.cpp
  ${CMAKE_SOURCE_DIR}/tests/core/edit/ChannelOperationsTest.cpp)
foreach(target ${QORRIN_BATCHED_TARGETS})
  if(TARGET ${target})
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON)
    set_source_files_properties(${QORRIN_NOT_IN_BATCHES} TARGET_DIRECTORY ${target}
                                PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
  endif()
endforeach()
