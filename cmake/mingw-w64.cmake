# Cross build for Windows with mingw-w64 (the posix thread variant, whose GCC has
# std::mutex), for the processor that TOVALIN_MINGW_ARCH names: i686 or x86_64. The parser
# built for the same target is looked for under /opt.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${TOVALIN_MINGW_ARCH})
set(CMAKE_C_COMPILER ${TOVALIN_MINGW_ARCH}-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOVALIN_MINGW_ARCH}-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER ${TOVALIN_MINGW_ARCH}-w64-mingw32-windres)
set(TOVALIN_WINDOWS_XERCES /opt/xerces-c-3.2.4-${TOVALIN_MINGW_ARCH}-w64-mingw32
    CACHE PATH "Xerces-C built for this target")
set(CMAKE_FIND_ROOT_PATH /usr/${TOVALIN_MINGW_ARCH}-w64-mingw32 ${TOVALIN_WINDOWS_XERCES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
