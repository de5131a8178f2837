#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, then configures and builds with the given preset
# (default: "default"); further arguments go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
shift || true
bash scripts/install-deps.sh
cmake --preset "$preset" "$@"
cmake --build --preset "$preset"
