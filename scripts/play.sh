#!/usr/bin/env bash
# One command from a fresh Debian 12 machine to a running game on the bundled database.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh default
exec build/bin/kvizomat "$@"
