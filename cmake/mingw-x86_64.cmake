# 64-bit Windows: the same sources, for machines that can run only 64-bit code under Wine.
set(TOVALIN_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
