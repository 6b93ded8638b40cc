# The environment every test runs in: the platform plugin (offscreen, or
# Windows' own in a Windows build, cmake/Windows.cmake), the sanitizers'
# settings in a VURA_SANITIZE build (cmake/Reliability.cmake), then the
# settings given, which win over the ones before them.
if(NOT VURA_TEST_PLATFORM)
    set(VURA_TEST_PLATFORM offscreen)
endif()

function(vura_test_environment test)
    set(environment "QT_QPA_PLATFORM=${VURA_TEST_PLATFORM}" ${VURA_SANITIZER_ENVIRONMENT} ${ARGN})
    set_tests_properties(${test} PROPERTIES ENVIRONMENT "${environment}")
endfunction()
