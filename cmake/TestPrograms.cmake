# How CTest runs the test programs. A test counts as skipped only by the exit code that the
# project's test entry points give when every selected test was skipped and none failed; never by
# its output, which may quote another test program's skip marks while failing.
set(VAKREL_TEST_SKIPPED_EXIT_CODE 77)
set(VAKREL_TEST_DISCOVERY_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/DiscoverTests.cmake)

# gtest_discover_tests with the same arguments, for a program built on one of the project's test
# entry points. CMake's own registration sets a skip pattern on the output, which a later
# property cannot take back (CTest adds every skip pattern it is given): the registrations are
# written by DiscoverTests.cmake, which drops it.
function(vakrel_discover_tests target)
  if(NOT DEFINED _GOOGLETEST_DISCOVER_TESTS_SCRIPT)
    message(FATAL_ERROR "This CMake's GoogleTest module names no discovery script")
  endif()
  set(_GOOGLETEST_DISCOVER_TESTS_SCRIPT ${VAKREL_TEST_DISCOVERY_SCRIPT})
  set(arguments ${ARGN})
  set(mode ${CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE})
  list(FIND arguments DISCOVERY_MODE at)
  if(NOT at EQUAL -1)
    math(EXPR at "${at} + 1")
    list(GET arguments ${at} mode)
  endif()
  if(mode STREQUAL "PRE_TEST")
    message(FATAL_ERROR "vakrel_discover_tests lists the tests after the build only (POST_BUILD)")
  endif()
  list(FIND arguments PROPERTIES at)
  if(at EQUAL -1)
    list(APPEND arguments PROPERTIES SKIP_RETURN_CODE ${VAKREL_TEST_SKIPPED_EXIT_CODE})
  else()
    math(EXPR at "${at} + 1")
    list(INSERT arguments ${at} SKIP_RETURN_CODE ${VAKREL_TEST_SKIPPED_EXIT_CODE})
  endif()
  gtest_discover_tests(${target} ${arguments})
endfunction()
