#!/usr/bin/env bash
# Runs walk_tree.py against the real game: its own X server, a session bus and the
# accessibility bus started on it, as a desktop session has them.
#   run.sh KVIZOMAT KVIZOMAT_DB MODE
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
display=""
for n in $(seq 120 180); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.1; done
export DISPLAY="$display"
unset QT_QPA_PLATFORM
dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  trap "kill $launcher 2>/dev/null || true" EXIT
  /usr/bin/python3 "$0" "$@"' "$here/walk_tree.py" "$@"
