# Cross build for 64-bit Windows with mingw-w64, for running the tests where the machine cannot run
# 32-bit programs. Wine's launcher would pick its 32-bit loader, so the 64-bit one is named.
set(mingw_processor x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
