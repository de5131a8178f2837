#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a tracked C++ file differs from what clang-format makes of it, or a source file
# lacks its licence line.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run -Werror
missing=$(git ls-files '*.cpp' '*.h' '*.sh' '*.py' '*.cmake' '*.awk' '*CMakeLists.txt' |
  grep -v '^\.ci/' | xargs grep -L 'SPDX-License-Identifier: GPL-3.0-or-later' || true)
if [ -n "$missing" ]; then
  echo "check-format: no SPDX licence line in:" >&2
  echo "$missing" >&2
  exit 1
fi
