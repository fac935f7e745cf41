#!/usr/bin/env bash
# Builds the programs, lays out the program folder with the sample data kit and starts the main
# program in it (its working folder). Installs missing Debian packages first, so a fresh machine
# needs nothing else. The program has windows: it needs a display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "${JOBS:-$(nproc)}"

program_dir=$(cmake -L -N "$build" | sed -n 's/^VAKREL_PROGRAM_DIR:PATH=//p')
if [ ! -x "$program_dir/Vakrel_R581_prototype.exe" ]; then
  echo "run.sh: the build did not produce $program_dir/Vakrel_R581_prototype.exe" >&2
  exit 1
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<MESSAGE
run.sh: there is no display (DISPLAY is empty), and the program needs one for its windows.
The program is built in $program_dir.
To run it without a desktop, start it under a virtual X server:

    xvfb-run -a scripts/run.sh

MESSAGE
  exit 1
fi

cd "$program_dir"
exec ./Vakrel_R581_prototype.exe
