# Cross build for 32-bit Windows with mingw-w64 (the posix thread variant, whose GCC has
# std::mutex). The parser built for this target is looked for under /opt.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(TOVALIN_WINDOWS_XERCES /opt/xerces-c-3.2.4-mingw32 CACHE PATH "Xerces-C built for this target")
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32 ${TOVALIN_WINDOWS_XERCES})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
