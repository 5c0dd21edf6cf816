# Cross-build for 64-bit Windows with Debian's mingw-w64 (g++-mingw-w64-x86-64-posix: the
# POSIX thread model, which std::thread and std::mutex need). Programs are linked
# statically, so they run on Windows (and under Wine) without any DLL of the compiler.
#   cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QORRIN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QORRIN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QORRIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QORRIN_MINGW_TRIPLE}-windres)

# Libraries and headers of the target only; programs of the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${QORRIN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# ctest runs the Windows programs through Wine.
find_program(QORRIN_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(QORRIN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QORRIN_WINE})
endif()

# -O1 rather than CMake's -O3 for Release: the programs spend their time waiting on a
# 9600-baud line or on the disk, -O1 builds in two thirds of the time, and GCC 12 at -O2
# and above raises false -Wrestrict alarms inside inlined std::string code of mingw's
# library (GCC bug 105329), which would hide real warnings.
set(CMAKE_C_FLAGS_RELEASE "-O1 -DNDEBUG" CACHE STRING "Flags of Release builds")
set(CMAKE_CXX_FLAGS_RELEASE "-O1 -DNDEBUG" CACHE STRING "Flags of Release builds")
