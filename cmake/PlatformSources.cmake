# The platform parts of a piece sit beside its portable part and say in their name which
# system they are for: NamePosix.cpp is built on Linux only, NameWin32.cpp on Windows only
# (tests likewise: NamePosixTest.cpp, NameWin32Test.cpp).
function(qorrin_platform_sources var)
  if(WIN32)
    list(FILTER ${var} EXCLUDE REGEX "Posix(Test)?\\.cpp$")
  else()
    list(FILTER ${var} EXCLUDE REGEX "Win32(Test)?\\.cpp$")
  endif()
  set(${var} ${${var}} PARENT_SCOPE)
endfunction()
