# The reliability builds, each made in a build folder of its own (README,
# "Reliability"):
#  VURA_SANITIZE  everything built with AddressSanitizer and
#                 UndefinedBehaviorSanitizer; any finding ends the program
#                 with an error, so a test that meets one fails.
#  VURA_FUZZ      the libFuzzer targets under fuzz/ (clang only), with the
#                 same sanitizers and coverage feedback from our libraries.
#  VURA_SANITIZE_THREAD
#                 everything built with ThreadSanitizer, for the suites that
#                 run our code on several threads; a data race ends the test.
# Sets VURA_SANITIZER_ENVIRONMENT, the environment the tests run with.

option(VURA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VURA_FUZZ "Build the libFuzzer targets in fuzz/ (needs clang)" OFF)
option(VURA_SANITIZE_THREAD "Build with ThreadSanitizer" OFF)

set(VURA_SANITIZER_ENVIRONMENT "")
if(VURA_SANITIZE OR VURA_FUZZ)
    if(MSVC)
        message(FATAL_ERROR "VURA_SANITIZE and VURA_FUZZ need GCC or Clang.")
    endif()
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
    # Leaks are checked; the suppressions name only system libraries.
    set(VURA_SANITIZER_ENVIRONMENT
        "ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1"
        "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0"
        "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endif()

if(VURA_SANITIZE_THREAD)
    if(VURA_SANITIZE OR VURA_FUZZ OR MSVC)
        message(FATAL_ERROR "VURA_SANITIZE_THREAD needs GCC or Clang, and a build folder of its own.")
    endif()
    add_compile_options(-fsanitize=thread -fno-omit-frame-pointer)
    add_link_options(-fsanitize=thread)
    # Races within system libraries may be listed in the suppressions; races
    # in our code may not.
    set(VURA_SANITIZER_ENVIRONMENT
        "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=${PROJECT_SOURCE_DIR}/cmake/tsan.supp")
endif()

if(VURA_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "VURA_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++.")
    endif()
    # Coverage feedback from every library a fuzz target reaches; only the
    # targets themselves link libFuzzer's main.
    add_compile_options(-fsanitize=fuzzer-no-link)
    add_subdirectory(fuzz)
endif()
