#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Screenshots of the real window, under Xvfb with a window manager (openbox) and the Serbian
# Cyrillic keyboard layout, played by the keys a Serbian player presses (б for B, д for D)
# and by clicks, through xdotool: the opening screen, a question,
# DA/NE, the answer check's verdict, the friend's call, the audience chart, the win, the
# sponsor panel, the help screen, a wrong answer and the game-over screen. Every size runs
# in a window and in full screen, all at once on displays of their own (about four minutes).
# Build first (scripts/build.sh); needs xvfb, openbox, xdotool, x11-xkb-utils, imagemagick.
#   scripts/window-tour.sh [OUTDIR] [WxH ...]    (default: build/window-tour, five sizes)
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$PWD/build/bin
out=${1:-build/window-tour}
shift || true
sizes=("$@")
((${#sizes[@]})) || sizes=(640x480 800x600 1024x768 1366x768 1920x1080)
for tool in Xvfb openbox xdotool setxkbmap import; do
    command -v "$tool" >/dev/null || { echo "window-tour: $tool is missing" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT

# A control's centre in window pixels: the driver lays the game out for the same screen, and
# the window draws it at the view's scale and offset (as WindowFit does).
centre() { # centre DUMP CONTROL WIN_W WIN_H FILLING
    python3 - "$@" <<'EOF'
import json, sys
dump, name, w, h, filling = json.loads(open(sys.argv[1]).readline()), sys.argv[2], *map(int, sys.argv[3:6])
c = dump["controls"][name]
dw, dh = dump["controls"]["Form1"]["width"] / 15, dump["controls"]["Form1"]["height"] / 15
fit = min(w / dw, h / dh)
scale, ox, oy = (1, 0, 0) if not filling and 1 <= fit < 1.5 else (fit, (w - dw * fit) / 2, (h - dh * fit) / 2)
print(round(ox + (c["left"] + c["width"] / 2) / 15 * scale), round(oy + (c["top"] + c["height"] / 2) / 15 * scale))
EOF
}

tour() { # tour DISPLAY WxH MODE
    local d=$1 size=$2 mode=$3 w=${2%x*} h=${2#*x}
    local dir=$work/$size-$mode shots=$out/$size-$mode
    mkdir -p "$dir/game" "$dir/config" "$shots"
    chmod 700 "$dir" # a runtime folder of its own, as a session has
    "$bin/kvizomat-db" create "$dir/game/Baza.mdb" tools/shots/tour-bank.json >/dev/null
    Xvfb ":$d" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
    local server=$!
    sleep 1
    export DISPLAY=:$d XDG_CONFIG_HOME=$dir/config XDG_RUNTIME_DIR=$dir
    openbox >/dev/null 2>&1 &
    sleep 1
    # Once openbox has started: a layout set while it starts may be lost, and the keys
    # typed later would reach the game as keys of no letter.
    setxkbmap rs
    setxkbmap -query | grep -q '^layout: *rs$' || { echo "window-tour: no Serbian layout" >&2; return 1; }
    local args=(--mute --dir "$dir/game")
    [[ $mode == fullscreen ]] && args+=(--fullscreen)
    "$bin/kvizomat" "${args[@]}" >"$dir/log" 2>&1 &
    sleep 3
    shot() { import -window root "$shots/$1.png"; }
    click() { # click CONTROL: where the game draws it now
        local win x y geometry
        win=$(xdotool search --sync --onlyvisible --class kvizomat | head -1)
        geometry=$(xwininfo -id "$win")
        x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$geometry")
        y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$geometry")
        read -r cx cy < <(centre "$dir/dump" "$1" "$(awk '/Width:/ {print $2}' <<<"$geometry")" \
            "$(awk '/Height:/ {print $2}' <<<"$geometry")" "$([[ $mode == fullscreen ]] && echo 1 || echo 0)")
        xdotool mousemove $((x + cx)) $((y + cy)) click 1
    }
    printf 'screen %d %d\nstart\ntype "Ana"\nclick lblStart\nwait 6100\nkey 66\ndump\n' \
        $((w * 15)) $((h * 15)) | "$bin/kvizomat-script" --scratch --dir "$dir/game" >"$dir/dump"

    shot 01-opening
    xdotool type --delay 120 "Ана"
    xdotool key Return
    sleep 6.6
    shot 02-question
    xdotool key Cyrillic_be
    sleep 0.3
    shot 03-confirmation
    click imgVoditelj
    sleep 0.3
    shot 04-answer-check
    xdotool key Cyrillic_en key Cyrillic_te
    sleep 4
    shot 05-friend
    xdotool key Cyrillic_ha key Cyrillic_pe
    sleep 10
    shot 06-audience
    xdotool key Cyrillic_ha
    sleep 0.5
    for q in $(seq 1 15); do
        xdotool key Cyrillic_a key Cyrillic_de
        ((q < 15)) && sleep 9.1
    done
    sleep 0.8
    shot 07-win
    sleep 5.5
    shot 08-sponsor
    xdotool key F1
    sleep 0.5
    shot 09-help
    xdotool key F1
    sleep 0.3
    click lblStart
    sleep 6.6
    xdotool key Cyrillic_be key Cyrillic_de
    sleep 0.9
    shot 10-wrong-answer
    sleep 5
    shot 11-game-over
    xdotool key Escape
    sleep 0.5
    kill "$server" # openbox ends with its display
}

d=40
for size in "${sizes[@]}"; do
    for mode in window fullscreen; do
        mkdir -p "$out"
        tour "$d" "$size" "$mode" 2>"$out/$size-$mode.log" &
        d=$((d + 1))
    done
done
wait
echo "window-tour: pictures in $out/<size>-<window|fullscreen>/"
