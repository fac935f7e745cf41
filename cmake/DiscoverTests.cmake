# Lists a test program's tests and writes their CTest registrations as CMake's GoogleTest module
# does (run with its variables, by vakrel_discover_tests), without the skip pattern that module
# sets on each test's output.
include(${CMAKE_ROOT}/Modules/GoogleTestAddTests.cmake)

file(READ "${CTEST_FILE}" registrations)
string(REPLACE "SKIP_REGULAR_EXPRESSION [==[\\[  SKIPPED \\]]==]" "" kept "${registrations}")
if(kept MATCHES "SKIP_REGULAR_EXPRESSION")
  message(FATAL_ERROR "${CTEST_FILE} keeps a skip pattern that this script does not know")
endif()
file(WRITE "${CTEST_FILE}" "${kept}")
