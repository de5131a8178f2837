#!/usr/bin/env bash
# Checks the built Debian package: exactly the expected files, runtime dependencies only,
# a valid desktop entry and AppStream metadata that agree with the package.
#   scripts/check-package.sh [DEB]        (default: build/package/kvizomat_*.deb)
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(ls build/package/kvizomat_*.deb)}
id=org.kvizomat.Kvizomat
failures=0
fail() { echo "check-package: $*" >&2; failures=$((failures + 1)); }

expected=(
  usr/bin/kvizomat usr/bin/kvizomat-db usr/bin/kvizomat-script
  usr/lib/kvizomat/kvizomat-sound.so usr/lib/kvizomat/kvizomat-speech.so
  usr/share/kvizomat/Baza.mdb usr/share/kvizomat/Mil.wav usr/share/kvizomat/Drugar.wav
  "usr/share/applications/$id.desktop"
  "usr/share/metainfo/$id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$id.svg"
  usr/share/doc/kvizomat/fonts/README.md
  usr/share/doc/kvizomat/fonts/LICENSE-LiberationSans.txt
  usr/share/doc/kvizomat/fonts/LICENSE-DejaVuSans.txt
)
for size in 16 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x$size/apps/$id.png")
done

# Files only (directories end in /), without the leading "./".
actual=$(dpkg-deb -c "$deb" | awk '$6 !~ /\/$/ { sub(/^\.\//, "", $6); print $6 }' | sort)
for f in "${expected[@]}"; do
  grep -qxF "$f" <<<"$actual" || fail "missing from the package: /$f"
done
while read -r f; do
  printf '%s\n' "${expected[@]}" | grep -qxF "$f" || fail "unexpected in the package: /$f"
done <<<"$actual"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libc6 libqt6widgets6 libqt6multimedia6 libqt6svg6 libsqlcipher0; do
  grep -qE "(^|, )$lib( |,|$)" <<<"$depends" || fail "Depends lacks $lib: $depends"
done
if grep -q -- '-dev\b' <<<"$depends"; then fail "Depends names a development package: $depends"; fi

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"
desktop=$tree/usr/share/applications/$id.desktop
metainfo=$tree/usr/share/metainfo/$id.metainfo.xml
if [[ -f $desktop ]]; then
  desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
  exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
  [[ -x $tree/usr/bin/$exec ]] || fail "the desktop entry starts '$exec', which the package lacks"
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [[ $icon == "$id" ]] || fail "the desktop entry's icon '$icon' is not the installed $id"
fi
if [[ -f $metainfo ]]; then
  appstreamcli validate --no-net "$metainfo" || fail "the AppStream metadata is not valid"
  version=$(dpkg-deb -f "$deb" Version)
  grep -q "<release version=\"$version\"" "$metainfo" ||
    fail "the AppStream metadata has no release $version (the package's version)"
fi

if ((failures > 0)); then
  echo "check-package: $deb: $failures problem(s)" >&2
  exit 1
fi
echo "check-package: $deb: $(wc -l <<<"$actual") files, Depends: $depends"
