#!/usr/bin/env bash
# One command from a fresh Debian 12 machine to the whole test suite, passed.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh default
ctest --preset default
bash scripts/package.sh
bash scripts/check-package.sh
