# 32-bit Windows build of the end-to-end driver (build/win32-e2e): the same
# tests as the x64 build, with the posix-thread compilers that GoogleTest
# needs (std::mutex). The exe it drives is the shipping one of build/win32,
# built with the win32-thread compilers (see LUMVALE_TESTED_EXE).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(LUMVALE_OBJDUMP i686-w64-mingw32-objdump)
