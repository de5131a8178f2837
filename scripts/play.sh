#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One command from a fresh Debian 12 machine to a running game on the bundled database.
# Builds only the game and its program folder (database, sounds, sound player): the tests,
# fuzzers and benchmarks wait for scripts/test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target kvizomat
exec build/bin/kvizomat "$@"
