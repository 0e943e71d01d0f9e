# kelvane_lean_product(TARGET ...): the Windows builds compile the program's own code without
# exceptions and run-time type information. The program throws and catches nothing, and code
# built with exceptions refers to the C++ personality routine, which drags the unwinder, the
# exception objects and the POSIX thread library (for the unwinder's locks) into the static exe.
# Test code keeps both: GoogleTest uses them.
function(kelvane_lean_product)
    if(NOT WIN32)
        return()
    endif()
    foreach(target IN LISTS ARGN)
        target_compile_options(${target} PRIVATE -fno-exceptions -fno-rtti)
    endforeach()
endfunction()
