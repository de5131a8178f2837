#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets (preset "fuzz", clang) and runs each for SECONDS (default 10),
# starting from the seeds in fuzz/corpus. New inputs go to build-fuzz/corpus, a failing input
# to build-fuzz/; the repository is left as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-10}"
bash scripts/build.sh fuzz
export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp"
# Inputs up to 1 MB: long lines and deep nesting are where parsers break. The bank import
# tries long inputs from the start instead of growing towards them.
for target in NamesFuzzer DisplayCodeFuzzer FixtureFuzzer BankImportFuzzer; do
  scratch="build-fuzz/corpus/$target"
  mkdir -p "$scratch"
  options=(-max_len=1048576)
  if [[ $target == BankImportFuzzer ]]; then options+=(-len_control=0); fi
  echo "== $target, $seconds s"
  "build-fuzz/bin/$target" -max_total_time="$seconds" -artifact_prefix=build-fuzz/ \
    "${options[@]}" "$scratch" "fuzz/corpus/$target"
done
