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

# kelvane_add_tests(NAME LABEL label [RESOURCE_LOCK prefix] SOURCES ... LIBRARIES ...)
# One test executable; each of its tests becomes one CTest test with the given label. Tests that
# touch what the whole Wine prefix shares (the foreground window and the focus, the WScript.Shell
# registration, the environment variables in the registry) take the lock "prefix", so that CTest
# never runs two of them at once. One lock for all of it: the end-to-end tests need several of
# these at once, and gtest_discover_tests (CMake 3.25) passes one lock name only.
function(kelvane_add_tests name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "LABEL;RESOURCE_LOCK" "SOURCES;LIBRARIES")
    add_executable(${name} ${arg_SOURCES})
    target_link_libraries(${name} PRIVATE ${arg_LIBRARIES} kelvane_options GTest::gtest_main)
    if(CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
        return() # built for the shipped architecture, which cannot run here
    endif()
    set(properties LABELS ${arg_LABEL} TIMEOUT 120)
    if(arg_RESOURCE_LOCK)
        list(APPEND properties RESOURCE_LOCK ${arg_RESOURCE_LOCK})
    endif()
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 120
        PROPERTIES ${properties})
endfunction()
