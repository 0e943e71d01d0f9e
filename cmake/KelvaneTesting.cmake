# GoogleTest from Debian's sources, built with the same compiler as the code under test.
include(CTest)
include(GoogleTest)

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# Tests of the portable code carry the label of the build they run in: "native" on the host,
# "wine" in the Windows build, which runs them under Wine.
if(CMAKE_CROSSCOMPILING)
    set(KELVANE_PORTABLE_LABEL wine)
else()
    set(KELVANE_PORTABLE_LABEL native)
endif()

# kelvane_add_tests(NAME LABEL label [RESOURCE_LOCK lock...] SOURCES ... LIBRARIES ...)
# One test executable; each of its tests becomes one CTest test with the given label. Tests that
# share something global name it as a lock, so that CTest never runs two of them at once:
# "desktop" for the foreground window and the focus, "wscript" for the WScript.Shell
# registration and the environment variables in the registry.
function(kelvane_add_tests name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "LABEL" "SOURCES;LIBRARIES;RESOURCE_LOCK")
    add_executable(${name} ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} kelvane_options GTest::gtest_main)
    if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
        return() # built for the shipped architecture, which cannot run here
    endif()
    set(properties LABELS ${arg_LABEL} TIMEOUT 120)
    if(arg_RESOURCE_LOCK)
        list(JOIN arg_RESOURCE_LOCK "\\;" locks)
        list(APPEND properties RESOURCE_LOCK "${locks}")
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 120
        PROPERTIES ${properties})
endfunction()
