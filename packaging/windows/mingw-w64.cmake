# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix threads flavour).
# BOLVENDA_WINDOWS_LIBS names the prefix where scripts/build-libs.sh installs the static SDL2
# and FreeType; pkg-config looks only there, and asks for the static link lines.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_AR ${triple}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${triple}-ranlib CACHE FILEPATH "")
set(CMAKE_STRIP ${triple}-strip CACHE FILEPATH "")

# Every function and datum in a section of its own, for the game and for the SDL2 and FreeType
# built with this file: the static link then keeps only what the game reaches.
set(CMAKE_C_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_INIT "-ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--gc-sections")

if(NOT BOLVENDA_WINDOWS_LIBS AND DEFINED ENV{BOLVENDA_WINDOWS_LIBS})
  set(BOLVENDA_WINDOWS_LIBS $ENV{BOLVENDA_WINDOWS_LIBS})
endif()
# try_compile projects see the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BOLVENDA_WINDOWS_LIBS)

set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${BOLVENDA_WINDOWS_LIBS})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

if(BOLVENDA_WINDOWS_LIBS)
  set(ENV{PKG_CONFIG_LIBDIR} ${BOLVENDA_WINDOWS_LIBS}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
endif()
set(PKG_CONFIG_ARGN --static CACHE STRING "")
