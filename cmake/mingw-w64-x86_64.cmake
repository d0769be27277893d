# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The POSIX thread model: GoogleTest needs std::mutex, which GCC 12's win32
# model lacks. With -static its winpthread is linked in, not a DLL.
set(QUORVANE_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUORVANE_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVANE_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORVANE_MINGW}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QUORVANE_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
