#!/usr/bin/env bash
# Builds the programs, lays out the program folder with the sample data kit and starts the main
# program in it (its working folder). Installs missing Debian packages first, so a fresh machine
# needs nothing else. The program has windows: it needs a display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVAKREL_WERROR=ON
cmake --build "$build" -j "${JOBS:-$(nproc)}"

program_dir=$(cmake -L -N "$build" | sed -n 's/^VAKREL_PROGRAM_DIR:PATH=//p')
if [ ! -x "$program_dir/Vakrel_R581_prototype.exe" ]; then
  echo "run.sh: the build did not produce $program_dir/Vakrel_R581_prototype.exe" >&2
  exit 1
fi

no_display() {
  cat >&2 <<MESSAGE
run.sh: $1, and the program needs one for its windows.${2:+
$2}
The program is built in $program_dir.
To run it without a desktop, start it under a virtual X server:

    xvfb-run -a scripts/run.sh

MESSAGE
  exit 1
}

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  no_display "there is no display (DISPLAY is empty)"
fi
if [ -n "${DISPLAY:-}" ] && ! xdpyinfo >/dev/null 2>&1; then
  no_display "no X server answers on DISPLAY=$DISPLAY" \
    "Start the X server or set DISPLAY to one that runs (for example DISPLAY=:0)."
fi

cd "$program_dir"
exec ./Vakrel_R581_prototype.exe
