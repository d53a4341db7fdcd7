# -DSANITIZE=ON: AddressSanitizer and UndefinedBehaviorSanitizer for every target;
# undefined behaviour aborts the run instead of printing and going on. SANITIZER_TEST_ENV
# holds the sanitizers' options for every program run as a test, the fuzz smoke run
# included: full stacks through the uninstrumented Qt libraries, so that the suppressions of
# their process-lifetime allocations (tests/lsan.supp) match and nothing else does.
set(SANITIZER_TEST_ENV)
if(SANITIZE)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        message(FATAL_ERROR "SANITIZE needs GCC or Clang")
    endif()
    set(_san -fsanitize=address,undefined -fno-sanitize-recover=undefined
             -fno-omit-frame-pointer)
    add_compile_options(${_san})
    add_link_options(${_san})
    set(SANITIZER_TEST_ENV
        "ASAN_OPTIONS=fast_unwind_on_malloc=0:detect_leaks=1:abort_on_error=0"
        "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0"
        "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endif()
