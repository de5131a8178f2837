#!/usr/bin/env bash
# Builds the Debian package build/package/kvizomat_<version>_<arch>.deb from the default
# build (installed under /usr, programs stripped, dependencies found by dpkg-shlibdeps).
#   scripts/package.sh        then: sudo apt install ./build/package/kvizomat_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh default
out=build/package
rm -f "$out"/kvizomat_*.deb
cpack --config build/CPackConfig.cmake -G DEB -B "$out"
echo "package: $(ls "$out"/kvizomat_*.deb)"
