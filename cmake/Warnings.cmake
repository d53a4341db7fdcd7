# One interface target carries the project's warning flags; every target links it.
add_library(project_warnings INTERFACE)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
    target_compile_options(project_warnings INTERFACE
        -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Woverloaded-virtual -Wold-style-cast
        -Wzero-as-null-pointer-constant -Wundef)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(project_warnings INTERFACE
            -Wsuggest-override -Wlogical-op -Wduplicated-cond -Wduplicated-branches)
    endif()
    # Qt 6's QTEST_MAIN macros pass no arguments to a variadic macro (valid C++20), which
    # clang's -Wpedantic reports in every test program.
    if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        target_compile_options(project_warnings INTERFACE -Wno-gnu-zero-variadic-macro-arguments)
    endif()
    if(WARNINGS_AS_ERRORS)
        target_compile_options(project_warnings INTERFACE -Werror)
    endif()
elseif(MSVC)
    target_compile_options(project_warnings INTERFACE /W4 /permissive-)
    if(WARNINGS_AS_ERRORS)
        target_compile_options(project_warnings INTERFACE /WX)
    endif()
endif()
