# -DSANITIZE=ON: AddressSanitizer and UndefinedBehaviorSanitizer for every target;
# undefined behaviour aborts the run instead of printing and going on.
if(SANITIZE)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        message(FATAL_ERROR "SANITIZE needs GCC or Clang")
    endif()
    set(_san -fsanitize=address,undefined -fno-sanitize-recover=undefined
             -fno-omit-frame-pointer)
    add_compile_options(${_san})
    add_link_options(${_san})
endif()
