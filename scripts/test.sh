#!/usr/bin/env bash
# One command from a fresh Debian 12 machine to the whole test suite, passed: the normal
# build and its package, the same tests under AddressSanitizer + UndefinedBehaviorSanitizer,
# and a short run of every libFuzzer target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh default
ctest --preset default
bash scripts/package.sh
bash scripts/check-package.sh
bash scripts/build.sh asan
ctest --preset asan
bash scripts/fuzz.sh "${KVZ_FUZZ_SECONDS:-5}"
