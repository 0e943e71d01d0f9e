# The Windows build that ships: 32-bit x86. These machines cannot run it.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KELVANE_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
