# Cross-compiling the Windows build with Debian's MinGW-w64 (the POSIX-threads variant, whose
# C++ runtime has std::thread). Libraries are searched only in the compiler's own root and in the
# roots given with -DCMAKE_FIND_ROOT_PATH (tools/windows/build.sh passes its library prefix),
# never in the build machine's /usr.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BELLRUN_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BELLRUN_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BELLRUN_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${BELLRUN_MINGW}-windres)

list(APPEND CMAKE_FIND_ROOT_PATH /usr/${BELLRUN_MINGW})
list(REMOVE_DUPLICATES CMAKE_FIND_ROOT_PATH)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# pkg-config must look only at the Windows libraries, never at the build machine's.
set(ENV{PKG_CONFIG_LIBDIR} "")
set(ENV{PKG_CONFIG_PATH} "")

# Tests and tools built for Windows run under Wine on the build machine.
find_program(BELLRUN_WINE NAMES wine64 wine)
if(BELLRUN_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${BELLRUN_WINE})
endif()
