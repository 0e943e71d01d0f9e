# Shared by the two mingw-w64 toolchains. The -posix compilers are needed: GoogleTest wants
# std::mutex, which the win32-thread variants of GCC 12's library lack.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${KELVANE_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KELVANE_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KELVANE_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KELVANE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Everything links statically, so that a program imports Windows system DLLs only.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
# Small release builds: optimised for size, unused sections dropped, symbols stripped. These are
# plain variables rather than the _INIT ones, which CMake follows with its own " -O3 -DNDEBUG",
# so that -O3 won; as plain variables they also hold in a build folder whose cache still has an
# older value.
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG -ffunction-sections -fdata-sections")
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG -ffunction-sections -fdata-sections")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE "-s -Wl,--gc-sections")
