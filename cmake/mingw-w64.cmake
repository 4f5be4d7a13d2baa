# Cross-build for 64-bit Windows with MinGW-w64 (posix threads); tests run under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
# The decoders built by riippuvuudet/ live in a prefix of their own.
# pkg-config sees only Windows folders, or the host's Linux flags leak in;
# libraries are linked statically.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KELVIO_WIN_ETULIITE)
set(ENV{PKG_CONFIG_LIBDIR} /usr/x86_64-w64-mingw32/lib/pkgconfig)
if(KELVIO_WIN_ETULIITE)
  list(PREPEND CMAKE_FIND_ROOT_PATH ${KELVIO_WIN_ETULIITE})
  set(ENV{PKG_CONFIG_LIBDIR} "${KELVIO_WIN_ETULIITE}/lib/pkgconfig:/usr/x86_64-w64-mingw32/lib/pkgconfig")
endif()
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
