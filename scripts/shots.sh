#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Screenshots of the window's states at 800 x 600 and at a small screen (640 x 480), made by
# playing tools/shots/tour.txt through kvizomat-shots. Build first (scripts/build.sh).
#   scripts/shots.sh [--latin] [OUTDIR]        (default: build/shots)
set -euo pipefail
cd "$(dirname "$0")/.."
bin=build/bin
letters=()
if [[ ${1:-} == --latin ]]; then
    letters=(--latin)
    shift
fi
out=${1:-build/shots}
for tool in kvizomat-db kvizomat-shots; do
    [[ -x $bin/$tool ]] || { echo "shots: $bin/$tool is missing; run scripts/build.sh" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for size in "800 600" "640 480"; do
    read -r w h <<<"$size"
    folder=$work/${w}x$h
    mkdir -p "$folder" "$out/${w}x$h"
    "$bin/kvizomat-db" create "$folder/Baza.mdb" tools/shots/tour-bank.json
    cp "$bin/Mil.wav" "$bin/Drugar.wav" "$folder/"
    { echo "screen $((w * 15)) $((h * 15))"; cat tools/shots/tour.txt; } >"$work/tour.txt"
    QT_QPA_PLATFORM=offscreen "$bin/kvizomat-shots" "${letters[@]}" "$folder" "$work/tour.txt" "$out/${w}x$h"
done
echo "shots: pictures in $out/800x600 and $out/640x480"
