#!/usr/bin/env bash
# Builds the project with sanitisers and runs its tests; any report fails the run:
#  1. AddressSanitizer (with LeakSanitizer) and UndefinedBehaviorSanitizer: every test, in
#     build-asan/;
#  2. ThreadSanitizer: the tests of the code that runs threads (the HTTP client against the local
#     test server, the wait dialog's thread, the top-N run), in build-tsan/.
# The suppression files in scripts/sanitizers/ name only third-party libraries. Installs missing
# Debian packages first.
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

started=$SECONDS

echo "== AddressSanitizer and UndefinedBehaviorSanitizer: every test"
# AddressSanitizer's suppressions cannot silence a new-delete-type-mismatch; this object, linked
# into every program, keeps Qt WebEngine's library from asking for that check (see its source).
mkdir -p build-asan
g++ -std=c++20 -O2 -fPIC -Wall -Wextra -Werror -c "$sanitizers/webengine_unsized_delete.cpp" \
  -o build-asan/webengine_unsized_delete.o
build build-asan "-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  "$(pwd)/build-asan/webengine_unsized_delete.o"
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1"
export LSAN_OPTIONS="suppressions=$sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir build-asan --output-on-failure -j "$jobs" --timeout 900
unset ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
echo "== AddressSanitizer and UndefinedBehaviorSanitizer: passed ($((SECONDS - started)) s so far)"

echo "== ThreadSanitizer: the tests of the code that runs threads"
build build-tsan "-fsanitize=thread -fno-omit-frame-pointer" "" \
  platform_http_tests app_tests updater_process_tests
export TSAN_OPTIONS="suppressions=$sanitizers/tsan.supp:halt_on_error=1:second_deadlock_stack=1"
ctest --test-dir build-tsan --output-on-failure -j "$jobs" --timeout 900 \
  -R '^(HttpClient|LocalHttpServer|WaitCalc|TopN)'
unset TSAN_OPTIONS
echo "== ThreadSanitizer: passed"
echo "sanitize.sh: no sanitiser report ($((SECONDS - started)) s)"
