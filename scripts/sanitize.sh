#!/usr/bin/env bash
# Builds the project with sanitisers and runs its tests; any report fails the run:
#  1. AddressSanitizer (with LeakSanitizer) and UndefinedBehaviorSanitizer: every test, in
#     build-asan/;
#  2. ThreadSanitizer: the tests of the code that runs threads (the HTTP client against the local
#     test server, the wait dialog's thread, the top-N run), in build-tsan/.
# The suppression files in scripts/sanitizers/ name only third-party libraries; of the leaks,
# only those that Qt WebEngine's own code allocated are passed over (engine_leaks.awk). Installs
# missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=${JOBS:-$(nproc)}
sanitizers=$(pwd)/scripts/sanitizers

# Configures and builds a folder with the given compile and link flags; the remaining arguments
# are the targets (all when none is named).
build() {
  local folder=$1 flags=$2 link_flags=$3
  shift 3
  cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVAKREL_WERROR=ON \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags $link_flags" \
    -DCMAKE_SHARED_LINKER_FLAGS="$flags"
  local targets=()
  for target in "$@"; do
    targets+=(--target "$target")
  done
  cmake --build "$folder" -j "$jobs" "${targets[@]}"
}

# A stage whose expression selects no test fails, so that a renamed suite cannot drop out.
ctest_args=(--output-on-failure --no-tests=error -j "$jobs" --timeout 900)

started=$SECONDS
failed=()

echo "== AddressSanitizer and UndefinedBehaviorSanitizer: every test"
# AddressSanitizer's suppressions cannot silence a new-delete-type-mismatch; this object, linked
# into every program, keeps Qt WebEngine's library alone from asking for that check (see its
# source).
mkdir -p build-asan
g++ -std=c++20 -O2 -fPIC -Wall -Wextra -Werror -c "$sanitizers/webengine_unsized_delete.cpp" \
  -o build-asan/webengine_unsized_delete.o
build build-asan \
  "-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  "$(pwd)/build-asan/webengine_unsized_delete.o"
asan_options="check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1"
# Each frame of a report ends in its module's path in braces, which engine_leaks.awk reads.
asan_options+=':stack_trace_format="    #%n %p %F %L {%m}"'
# The tests on a virtual X server draw through Qt's X11 platform, whose plugins and D-Bus
# connection are unloaded or left at exit: their allocation stacks then name no library that a
# suppression could match. Those tests run with every check but the leak check; all other tests
# run with it.
desktop='^(RealWindowTest|Waits/CloseDuringWaitTest|ProgramCloseTest)\.'
# A leak ends no test: the tests' log holds every leak report, and engine_leaks.awk fails the
# stage on each one that Qt WebEngine's own code did not allocate (see its source).
if ! ASAN_OPTIONS="detect_leaks=1:$asan_options" \
  LSAN_OPTIONS="suppressions=$sanitizers/lsan.supp:print_suppressions=0:exitcode=0" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --test-dir build-asan "${ctest_args[@]}" -E "$desktop"; then
  failed+=("AddressSanitizer and UndefinedBehaviorSanitizer")
fi
if ! awk -f "$sanitizers/engine_leaks.awk" build-asan/Testing/Temporary/LastTest.log; then
  failed+=("LeakSanitizer")
fi
if ! ASAN_OPTIONS="detect_leaks=0:$asan_options" \
  UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1" \
  ctest --test-dir build-asan "${ctest_args[@]}" -R "$desktop"; then
  failed+=("AddressSanitizer and UndefinedBehaviorSanitizer (desktop tests)")
fi
echo "== AddressSanitizer and UndefinedBehaviorSanitizer: done ($((SECONDS - started)) s so far)"

echo "== ThreadSanitizer: the tests of the code that runs threads"
# This object, linked into every program, shows ThreadSanitizer the hand-over of a functor to
# another thread's event loop, which Qt's uninstrumented queue makes (see its source).
# -fvisibility-inlines-hidden keeps the programs' instrumented copies of the standard library's
# inline functions to themselves: exported, they would stand in for the ones that Chromium's
# threads call. The object finds Qt at run time and needs no Qt symbol to link (CMake's compiler
# check links it too), hence QT_NO_VERSION_TAGGING.
mkdir -p build-tsan
# shellcheck disable=SC2046 # pkg-config gives several flags
g++ -std=c++20 -O2 -fPIC -Wall -Wextra -Werror -DQT_NO_VERSION_TAGGING $(pkg-config --cflags Qt6Core) \
  -c "$sanitizers/qt_event_handover.cpp" -o build-tsan/qt_event_handover.o
build build-tsan "-fsanitize=thread -fno-omit-frame-pointer -fvisibility-inlines-hidden" \
  "$(pwd)/build-tsan/qt_event_handover.o" platform_http_tests app_tests updater_process_tests
# The HTTP client against the local test server, directly and in the update checker's download;
# the wait dialog's thread; the top-N run.
threaded='^(HttpClientTest|Responses/HostileResponseTest|UpdateRoadTest|ProgramTest'
threaded+='|Values/HostileServerTest|Responses/HostileTransferTest'
threaded+='|WaitCalcTest|TopNTest|Cases/TopNPatternTest)\.'
if ! TSAN_OPTIONS="suppressions=$sanitizers/tsan.supp:second_deadlock_stack=1" \
  ctest --test-dir build-tsan "${ctest_args[@]}" -R "$threaded"; then
  failed+=("ThreadSanitizer")
fi
echo "== ThreadSanitizer: done"

if [ ${#failed[@]} -gt 0 ]; then
  for stage in "${failed[@]}"; do
    echo "sanitize.sh: tests failed under $stage" >&2
  done
  echo "sanitize.sh: $((SECONDS - started)) s" >&2
  exit 1
fi
echo "sanitize.sh: every test passed, no sanitiser report ($((SECONDS - started)) s)"
