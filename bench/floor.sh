#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up held against the same-work floor (../shared/bench/qt-floor-work: a Qt window that
# opens the encrypted bank, counts a level and paints as much text as the opening screen):
# the time from the start of the process to its first visible window, polled with xdotool
# under one Xvfb, and the peak resident memory (VmHWM) a moment after, for the floor and the
# game, run alternately; then the time to the first painted frame, which both report through
# the game's own probe (src/desktop/FirstFrame.h, built into a copy of the floor) to
# kvizomat-launch: a window is mapped before anything is painted in it. Medians and the
# game's ratios. (bench/startup.sh holds the game against a bare window that paints nothing.)
#
# usage: bench/floor.sh [--runs N] [--floor-source DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

runs=15
source_dir=../shared/bench/qt-floor-work
while [ $# -gt 0 ]; do
    case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --floor-source) source_dir="$2"; shift 2 ;;
    *) echo "usage: $0 [--runs N] [--floor-source DIR]" >&2; exit 2 ;;
    esac
done
[ -f "$source_dir/main.cpp" ] || { echo "floor: no floor program in $source_dir" >&2; exit 1; }

# An X server of its own, on a display number it finds free.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" 2>/dev/null &
xvfb=$!
until [ -s "$display_file" ]; do sleep 0.05; done
export DISPLAY=":$(cat "$display_file")" QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)}"
chmod 700 "$XDG_RUNTIME_DIR"

cmake -S "$source_dir" -B build-floor -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-floor >/dev/null
cmake --build build --target kvizomat kvizomat-launch >/dev/null

# The floor as it is, with the probe that ends it at its first frame.
probed=build-floor-probe
rm -rf "$probed" && mkdir -p "$probed" && cp -r "$source_dir" "$probed/src"
sed -i -e 's|#include <QWidget>|#include <QWidget>\n#include "FirstFrame.h"|' \
    -e 's|^\( *\)w\.show();|\1new kvz::desktop::FirstFrameProbe(w);\n\1w.show();|' "$probed/src/main.cpp"
grep -q FirstFrameProbe "$probed/src/main.cpp" || { echo "floor: cannot add the probe to $source_dir/main.cpp" >&2; exit 1; }
cmake -S "$probed/src" -B "$probed/build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS="-I$PWD/src/desktop" >/dev/null
cmake --build "$probed/build" >/dev/null

work=$(mktemp -d "$PWD/build/floor-XXXXXX")
trap 'kill "$xvfb"; rm -rf "$work" "$display_file"' EXIT
cp build/bin/Baza.mdb build/bin/Mil.wav build/bin/Drugar.wav "$work/"
export XDG_CONFIG_HOME=$work/config

now_ms() { date +%s%N | awk '{ printf "%.1f", $1 / 1e6 }'; }

# One start: prints "MS KIB" (to the first visible window; peak memory after it). The window
# is found by its class, the program's name.
measure() {
    local start pid shown class
    class=$(basename "$1")
    start=$(now_ms)
    "$@" >"$work/last.log" 2>&1 &
    pid=$!
    until xdotool search --onlyvisible --class "$class" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || { echo "floor: $1 ended before its window showed:" >&2; cat "$work/last.log" >&2; exit 1; }
        sleep 0.002
    done
    shown=$(now_ms)
    sleep 0.3
    local hwm
    hwm=$(awk '/VmHWM/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    awk -v a="$start" -v b="$shown" -v m="$hwm" 'BEGIN { printf "%.1f %d\n", b - a, m }'
}

floor=(build-floor/qt-floor-work "$work/Baza.mdb")
game=(build/bin/kvizomat --mute --dir "$work")
for program in floor game; do # warm the file cache
    declare -n cmd=$program
    measure "${cmd[@]}" >/dev/null
done
for ((i = 0; i < runs; i++)); do
    for program in floor game; do
        declare -n cmd=$program
        measure "${cmd[@]}" >>"$work/$program"
    done
done

# To the first painted frame: "MS" from kvizomat-launch.
frame() { build/bench/kvizomat-launch "$@" | awk '{ print $1 }'; }
for ((i = 0; i < runs; i++)); do
    frame "$probed/build/qt-floor-work" "$work/Baza.mdb" >>"$work/floor-frame"
    frame "$PWD/build/bin/kvizomat" --mute --first-frame --dir "$work" >>"$work/game-frame"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column_median() { awk -v c="$2" '{ print $c }' "$1" | median; }

printf 'Start-up under Xvfb, %d runs each, alternating; %s\n' "$runs" \
    "$(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-14s %18s %18s %16s\n' "" "first window (ms)" "first frame (ms)" "peak RSS (MiB)"
for program in floor game; do
    printf '%-14s %18.1f %18.1f %16.1f\n' "$program" "$(column_median "$work/$program" 1)" \
        "$(column_median "$work/$program-frame" 1)" \
        "$(awk -v kb="$(column_median "$work/$program" 2)" 'BEGIN { print kb / 1024 }')"
done
ratio() { awk -v a="$(column_median "$work/game$1" "$2")" -v b="$(column_median "$work/floor$1" "$2")" 'BEGIN { print a / b }'; }
printf '%-14s %17.2fx %17.2fx %15.2fx\n' "game / floor" "$(ratio "" 1)" "$(ratio -frame 1)" "$(ratio "" 2)"
