# 32-bit Windows build of the end-to-end driver (build/win32-e2e): the same
# tests as the x64 build, with the posix-thread compilers that GoogleTest
# needs (std::mutex). The exe it drives is the shipping one of build/win32,
# built with the win32-thread compilers (see LUMVALE_TESTED_EXE).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-i686.cmake)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(LUMVALE_PRODUCT_ONLY OFF)
