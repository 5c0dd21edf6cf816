# The libraries of the Windows cross-build, taken from the build machine's Debian packages:
# CLI11 and nlohmann-json are header-only (their folders are linked into the build tree,
# never the whole /usr/include, whose C library headers are not the target's), and
# GoogleTest is compiled from Debian's sources (googletest) with the cross compiler.
set(QORRIN_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${QORRIN_HOST_HEADERS})
foreach(folder CLI nlohmann)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: install libcli11-dev and nlohmann-json3-dev")
  endif()
  file(CREATE_LINK /usr/include/${folder} ${QORRIN_HOST_HEADERS}/${folder} SYMBOLIC)
endforeach()
add_library(CLI11::CLI11 INTERFACE IMPORTED GLOBAL)
target_include_directories(CLI11::CLI11 INTERFACE ${QORRIN_HOST_HEADERS})
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
target_include_directories(nlohmann_json::nlohmann_json INTERFACE ${QORRIN_HOST_HEADERS})

set(QORRIN_GTEST_SOURCES /usr/src/googletest CACHE PATH "GoogleTest sources (Debian googletest)")
if(NOT EXISTS ${QORRIN_GTEST_SOURCES}/googletest/src/gtest-all.cc)
  message(FATAL_ERROR "${QORRIN_GTEST_SOURCES} has no GoogleTest sources: install googletest")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
# Its own CMake files define GTest::gtest and GTest::gtest_main.
add_subdirectory(${QORRIN_GTEST_SOURCES} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
