#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs walk_tree.py against the real game: its own X server, a session bus and the
# accessibility bus started on it, as a desktop session has them.
#   run.sh KVIZOMAT KVIZOMAT_DB MODE
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
# An X server of our own on a display no one else uses: other programs on a shared machine
# start and end theirs at any moment, so the display is proven to answer before it is used.
xvfb=""
stop_x() { [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null; xvfb=""; }
# The server is waited for: one still closing would take the next one's socket with it.
trap stop_x EXIT
display=""
for _ in $(seq 1 20); do
  candidate=":$((200 + RANDOM % 700))"
  [ -e "/tmp/.X11-unix/X${candidate#:}" ] && continue
  Xvfb "$candidate" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb=$!
  for _ in $(seq 1 100); do
    if xdpyinfo -display "$candidate" >/dev/null 2>&1; then display="$candidate"; break; fi
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
  done
  [ -n "$display" ] && break
  stop_x
done
[ -n "$display" ] || { echo "no X server could be started" >&2; exit 1; }
export DISPLAY="$display"
unset QT_QPA_PLATFORM
dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  trap "kill $launcher 2>/dev/null || true" EXIT
  /usr/bin/python3 "$0" "$@"' "$here/walk_tree.py" "$@"
