#!/usr/bin/env bash
# Builds everything and runs every test. Installs missing Debian packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVAKREL_WERROR=ON
jobs=${JOBS:-$(nproc)}
cmake --build "$build" -j "$jobs"
status=0
ctest --test-dir "$build" --output-on-failure --no-tests=error -j "$jobs" --timeout 600 |
  tee "$build/ctest-summary.txt" || status=$?

# CTest names the skipped tests only; their reasons are in the tests' log.
skipped=$(sed -n 's/^\t *[0-9]* - \(.*\) (Skipped)$/\1/p' "$build/ctest-summary.txt")
if [ -n "$skipped" ]; then
  echo "Why tests were skipped:"
  awk -v names="$skipped" '
    BEGIN { count = split(names, list, "\n"); for (i = 1; i <= count; i++) wanted[list[i]] = 1 }
    /^[0-9]+\/[0-9]+ Testing: / {
      name = substr($0, index($0, "Testing: ") + 9); inside = (name in wanted)
      collecting = 0; reason = ""; next
    }
    inside && /: Skipped$/ { collecting = 1; next }
    inside && collecting && /^\[  SKIPPED \]/ {
      print "  " name ": " reason; inside = 0; collecting = 0; next
    }
    inside && collecting && NF { reason = reason (reason == "" ? "" : " ") $0 }
  ' "$build/Testing/Temporary/LastTest.log"
fi
exit "$status"
