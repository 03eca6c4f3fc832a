# The shipped 32-bit program. The win32 thread flavour keeps the static
# runtime free of the pthread emulation.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_THREADS win32 CACHE STRING "mingw-w64 thread flavour (win32 or posix)")
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-${MINGW_THREADS})
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-${MINGW_THREADS})
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
