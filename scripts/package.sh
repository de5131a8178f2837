#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build/package/kvizomat_<version>_<arch>.deb from the default
# build (installed under /usr, programs stripped, dependencies found by dpkg-shlibdeps).
#   scripts/package.sh        then: sudo apt install ./build/package/kvizomat_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh default
out=build/package
rm -f "$out"/kvizomat_*.deb
cpack --config build/CPackConfig.cmake -G DEB -B "$out"
deb=$(ls "$out"/kvizomat_*.deb)

# CPack adds postinst and postrm scripts that run ldconfig for any shared object under
# /usr/lib, even the game's private sound player, which ldconfig never reads. The package
# needs no maintainer script, and a postrm would keep a removed package in state "rc".
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -R "$deb" "$tree/root"
rm -f "$tree/root/DEBIAN/postinst" "$tree/root/DEBIAN/postrm"
dpkg-deb --root-owner-group -Zxz -b "$tree/root" "$deb" >/dev/null
echo "package: $deb"
