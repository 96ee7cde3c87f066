# Cross-build for 64-bit Windows with MinGW-w64 (Debian's g++-mingw-w64-x86-64).
# The posix thread model compiler gives std::thread and std::mutex, which
# GoogleTest needs. Everything links the GCC runtime statically, so the
# binaries run on Windows (and under Wine) with no DLL beside them but ours.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QNZU_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QNZU_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QNZU_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QNZU_MINGW_PREFIX}-windres)
set(CMAKE_AR ${QNZU_MINGW_PREFIX}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${QNZU_MINGW_PREFIX}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${QNZU_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Wide-character Windows API, the SDK without its rarely used parts and
# without the min/max macros that collide with std::min/std::max.
set(CMAKE_CXX_FLAGS_INIT "-DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${CMAKE_SHARED_LINKER_FLAGS_INIT}")

# Test programs run under Wine when cross-built on Linux.
find_program(QNZU_WINE NAMES wine wine64)
if(QNZU_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${QNZU_WINE})
endif()
