#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Lists what a screen reader sees of the question editor over AT-SPI, and fails when a
# control that takes input has no name. Needs a display (DISPLAY) and python3-pyatspi.
#   scripts/editor-atspi.sh [BANK.mdb]     (default: a new bank in a temporary folder)
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bank=${1:-}
if [[ -z $bank ]]; then
  bank=$work/Baza.mdb
  build/bin/kvizomat-db create "$bank" tools/shots/tour-bank.json
fi
export XDG_CONFIG_HOME=$work/config QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
exec dbus-run-session -- bash -c '
  build/bin/kvizomat-editor "$1" & editor=$!
  /usr/bin/python3 - <<"PY"
import sys, time
import pyatspi

INPUT = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_RADIO_BUTTON, pyatspi.ROLE_TEXT,
         pyatspi.ROLE_ENTRY, pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_LIST,
         pyatspi.ROLE_TABLE, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_MENU_ITEM,
         pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_LIST_BOX}
app = None
for _ in range(100):
    apps = [a for a in pyatspi.Registry.getDesktop(0) if a is not None]
    if apps and apps[0].childCount > 0:
        app = apps[0]
        break
    time.sleep(0.2)
if app is None:
    sys.exit("editor-atspi: the editor never showed up on the accessibility bus")
unnamed = 0
def walk(node, depth):
    global unnamed
    for child in node:
        if child is None:
            continue
        states = child.getState()
        if not states.contains(pyatspi.STATE_SHOWING):
            continue
        role = child.getRole()
        name = child.name or ""
        if role in INPUT:
            print("  " * depth + f"{child.getRoleName()}: {name!r}")
            if not name.strip():
                unnamed += 1
        if role not in (pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX):
            walk(child, depth + 1)
walk(app, 0)
print(f"editor-atspi: {unnamed} control(s) without a name")
sys.exit(1 if unnamed else 0)
PY
  status=$?
  kill $editor
  exit $status
' _ "$bank"
