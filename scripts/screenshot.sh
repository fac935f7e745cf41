#!/usr/bin/env bash
# Pictures of the main window on the sample data kit, under a virtual X server: the condition
# page and the result page after a calculation in the package mode and in the labour-rate mode.
#
#   scripts/screenshot.sh [output folder] [X] [Y]     (default: screenshots/, area 朝霧地区)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVAKREL_WERROR=ON
cmake --build "$build" -j "${JOBS:-$(nproc)}"

output=$(realpath -m "${1:-screenshots}")
mkdir -p "$output"
program_dir=$(cmake -L -N "$build" | sed -n 's/^VAKREL_PROGRAM_DIR:PATH=//p')
tool=$(realpath "$build/app/vakrel_screenshot")

# A fresh copy of the program folder, so that the pictures do not depend on a saved area.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -a "$program_dir/." "$work/"
rm -f "$work/F_chiku.ini"

cd "$work"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" "$tool" "$output" "${@:2}"
