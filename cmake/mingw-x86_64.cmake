# The Windows build whose programs run here, under Debian's wine64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KELVANE_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# Each test program runs in the throwaway Wine prefix of this build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../tests/wine/wine-run;${CMAKE_BINARY_DIR}/wine)
