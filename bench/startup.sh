#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-process figures: the time from process start to the first painted frame of the
# opening screen, the peak resident memory and the processor time of kvizomat, beside a
# minimal Qt Widgets program that only opens an empty window of the same size (the floor
# of this machine). Runs alternate between the two; medians over all runs.
#
# usage: bench/startup.sh [--runs N] [--xvfb] [--bank FOLDER]
#   --runs N       runs of each program (default 21)
#   --xvfb         under an X server (Xvfb) instead of Qt's offscreen platform
#   --bank FOLDER  the game on FOLDER/Baza.mdb (e.g. build/bench-data/big-bank)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=21
xvfb=0
bank=""
while [ $# -gt 0 ]; do
    case "$1" in
    --runs) runs="$2"; shift 2 ;;
    --xvfb) xvfb=1; shift ;;
    --bank) bank="$2"; shift 2 ;;
    *) echo "usage: $0 [--runs N] [--xvfb] [--bank FOLDER]" >&2; exit 2 ;;
    esac
done

if [ "$xvfb" = 1 ] && [ -z "${KVZ_STARTUP_UNDER_X:-}" ]; then
    args=(--runs "$runs")
    [ -n "$bank" ] && args+=(--bank "$bank")
    KVZ_STARTUP_UNDER_X=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "${args[@]}" --xvfb
fi
if [ "$xvfb" = 1 ]; then
    export QT_QPA_PLATFORM=xcb
    platform="Xvfb"
else
    export QT_QPA_PLATFORM=offscreen
    platform="offscreen"
fi
# A desktop session keeps its runtime folder (where the game locks against a second copy)
# in memory; so does this script where it can.
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)}"

cmake --build build --target kvizomat kvizomat-minimal-window kvizomat-launch >/dev/null

# The game plays from a copy of its program folder, so that nothing it writes touches
# build/bin.
work=$(mktemp -d "$PWD/build/startup-XXXXXX")
trap 'rm -rf "$work"' EXIT
cp build/bin/Mil.wav build/bin/Drugar.wav "$work/"
if [ -n "$bank" ]; then
    ln "$bank/Baza.mdb" "$work/Baza.mdb" 2>/dev/null || cp "$bank/Baza.mdb" "$work/Baza.mdb"
else
    cp build/bin/Baza.mdb "$work/"
fi

launch() { build/bench/kvizomat-launch "$@"; }
game=(build/bin/kvizomat --dir "$work" --first-frame)

# A first run of each warms the file cache and tells the window's size.
read -r _ _ _ width height < <(launch "${game[@]}")
launch build/bench/kvizomat-minimal-window "$width" "$height" >/dev/null
for ((i = 0; i < runs; i++)); do
    launch build/bench/kvizomat-minimal-window "$width" "$height" >>"$work/minimal"
    launch "${game[@]}" >>"$work/game"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
column_median() { awk -v c="$2" '{ print $c }' "$1" | median; }

printf 'Start-up on %s, window %dx%d, %d runs each; %s\n' "$platform" "$width" "$height" "$runs" \
    "$(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores"
printf '%-16s %18s %16s %12s\n' "" "first frame (ms)" "peak RSS (MiB)" "CPU (ms)"
for who in minimal game; do
    printf '%-16s %18.1f %16.1f %12.1f\n' "$([ $who = game ] && echo kvizomat || echo 'minimal window')" \
        "$(column_median "$work/$who" 1)" "$(awk -v kb="$(column_median "$work/$who" 2)" 'BEGIN { print kb / 1024 }')" \
        "$(column_median "$work/$who" 3)"
done
ratio() {
    awk -v a="$(column_median "$work/game" "$1")" -v b="$(column_median "$work/minimal" "$1")" \
        'BEGIN { print a / b }'
}
printf '%-16s %17.2fx %15.2fx %11.2fx\n' "ratio" "$(ratio 1)" "$(ratio 2)" "$(ratio 3)"
