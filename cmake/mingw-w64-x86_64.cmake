# Cross build for 64-bit Windows with Debian's MinGW-w64 (package g++-mingw-w64-x86-64).
#   cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DVEXOREL_WITH_GUI=OFF
# The programs are linked statically, so they run under Wine (or on Windows) with no DLLs beside them, and
# CMake runs cross-built test programs through Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VEXOREL_MINGW_PREFIX x86_64-w64-mingw32)
# The "posix" flavour of the compiler has the complete C++ thread library; the plain name may be either.
find_program(CMAKE_C_COMPILER NAMES ${VEXOREL_MINGW_PREFIX}-gcc-posix ${VEXOREL_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${VEXOREL_MINGW_PREFIX}-g++-posix ${VEXOREL_MINGW_PREFIX}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${VEXOREL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VEXOREL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

find_program(VEXOREL_WINE NAMES wine wine64)
if(VEXOREL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VEXOREL_WINE})
endif()
