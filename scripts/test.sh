#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One command from a fresh Debian 12 machine to the whole test suite, passed: the normal
# build and its package, the same tests under AddressSanitizer + UndefinedBehaviorSanitizer,
# and a short run of every libFuzzer target. The formatting is checked and warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/check-format.sh
bash scripts/build.sh default -DKVZ_WERROR=ON
ctest --preset default
bash scripts/package.sh
bash scripts/check-package.sh
bash scripts/build.sh asan -DKVZ_WERROR=ON
ctest --preset asan
bash scripts/fuzz.sh "${KVZ_FUZZ_SECONDS:-5}"
