# 32-bit Windows: the target the library is made for.
set(TOVALIN_MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
