#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the built Debian package: exactly the expected files, runtime dependencies only, no
# maintainer scripts, a machine-readable copyright file, the Debian changelog, man pages that
# render, a valid desktop entry and AppStream metadata that agree with the package, no lintian
# error or warning; as root, also that it installs, plays, and leaves nothing once purged.
#   scripts/check-package.sh [DEB]        (default: build/package/kvizomat_*.deb)
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(ls build/package/kvizomat_*.deb)}
id=org.kvizomat.Kvizomat
doc=usr/share/doc/kvizomat
editor=org.kvizomat.Kvizomat.Editor
failures=0
fail() { echo "check-package: $*" >&2; failures=$((failures + 1)); }

# The programs with their man page sections: a game (6) lives in /usr/games, a tool (1) in
# /usr/bin.
programs=(kvizomat:6 kvizomat-db:1 kvizomat-script:1 kvizomat-editor:1)
program_path() { [[ ${1#*:} == 6 ]] && echo "usr/games/${1%:*}" || echo "usr/bin/${1%:*}"; }
man_path() { echo "usr/share/man/man${1#*:}/${1%:*}.${1#*:}.gz"; }

expected=(
  usr/lib/kvizomat/kvizomat-sound.so usr/lib/kvizomat/kvizomat-speech.so
  usr/share/kvizomat/Baza.mdb usr/share/kvizomat/Mil.wav usr/share/kvizomat/Drugar.wav
  "usr/share/applications/$id.desktop"
  "usr/share/metainfo/$id.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$id.svg"
  "$doc/copyright" "$doc/changelog.Debian.gz"
  "$doc/fonts/README.md" "$doc/fonts/LICENSE-LiberationSans.txt" "$doc/fonts/LICENSE-DejaVuSans.txt"
  usr/share/lintian/overrides/kvizomat
)
for p in "${programs[@]}"; do expected+=("$(program_path "$p")" "$(man_path "$p")"); done
for size in 16 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x$size/apps/$id.png")
done
# The question editor, with an entry, metadata and icons of its own.
expected+=(
  "usr/share/applications/$editor.desktop"
  "usr/share/metainfo/$editor.metainfo.xml"
  "usr/share/icons/hicolor/scalable/apps/$editor.svg"
)
for size in 16 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x$size/apps/$editor.png")
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

# Nothing runs at installation or removal, so nothing stays behind after it ("rc").
control=$(dpkg-deb --ctrl-tarfile "$deb" | tar -t | sed 's|^\./||' | grep -v '^$')
for f in $control; do
  case $f in control | md5sums) ;; *) fail "control file $f: the package needs no maintainer script" ;; esac
done

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
dpkg-deb -x "$deb" "$tree"

# The copyright file in the machine-readable format: every Files paragraph with its
# Copyright and License, and every licence it names spelled out in a paragraph of its own.
if [[ -f $tree/$doc/copyright ]]; then
  awk -v RS= '
    NR == 1 && !/^Format: https:\/\/www\.debian\.org\/doc\/packaging-manuals\/copyright-format\/1\.0\/?\n/ {
      print "no DEP-5 Format line"; bad = 1 }
    /(^|\n)Files:/ {
      if (!/\nCopyright:/) { print "a Files paragraph without Copyright"; bad = 1 }
      if (!match($0, /\nLicense: *[^\n]+/)) { print "a Files paragraph without License"; bad = 1; next }
      name = substr($0, RSTART + 9, RLENGTH - 9); gsub(/^ +| +$/, "", name); used[name] = 1; next }
    /^License: *[^\n]+\n /{ split($0, l, "\n"); name = substr(l[1], 9); gsub(/^ +| +$/, "", name); defined[name] = 1 }
    END {
      for (n in used) if (!(n in defined)) { print "licence " n " is named but not given"; bad = 1 }
      if (length(used) == 0) { print "no Files paragraph"; bad = 1 }
      exit bad }' "$tree/$doc/copyright" >&2 || fail "/$doc/copyright is not in the machine-readable format"
fi

# The changelog: parseable, its newest entry the package's version.
version=$(dpkg-deb -f "$deb" Version)
release_date=
if [[ -f $tree/$doc/changelog.Debian.gz ]]; then
  gzip -t "$tree/$doc/changelog.Debian.gz" || fail "/$doc/changelog.Debian.gz is not gzip"
  zcat "$tree/$doc/changelog.Debian.gz" >"$tree/changelog"
  if entry=$(dpkg-parsechangelog -l "$tree/changelog" -S Version 2>&1); then
    [[ $entry == "$version" ]] || fail "the changelog's newest entry is $entry, the package $version"
    release_date=$(date -u -d "$(dpkg-parsechangelog -l "$tree/changelog" -S Date)" +%F)
  else
    fail "the changelog cannot be read: $entry"
  fi
fi

# Each man page renders without a warning and names its program.
for p in "${programs[@]}"; do
  page=$tree/$(man_path "$p")
  [[ -f $page ]] || continue
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
  [[ -z $warnings ]] || fail "man page of ${p%:*} renders with warnings: $warnings"
  LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$page" 2>/dev/null | grep -q "^ *${p%:*} - " ||
    fail "man page of ${p%:*} does not render its NAME"
done

desktop=$tree/usr/share/applications/$id.desktop
metainfo=$tree/usr/share/metainfo/$id.metainfo.xml
if [[ -f $desktop ]]; then
  desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
  exec=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
  [[ -x $tree/usr/games/$exec || -x $tree/usr/bin/$exec ]] ||
    fail "the desktop entry starts '$exec', which the package lacks"
  icon=$(sed -n 's/^Icon=//p' "$desktop")
  [[ $icon == "$id" ]] || fail "the desktop entry's icon '$icon' is not the installed $id"
fi
if [[ -f $metainfo ]]; then
  appstreamcli validate --no-net "$metainfo" || fail "the AppStream metadata is not valid"
  grep -q "<release version=\"${version%-*}\" date=\"$release_date\"" "$metainfo" ||
    fail "the AppStream metadata has no release ${version%-*} of $release_date (the changelog's)"
fi

if ! tags=$(lintian --display-level '>=warning' --fail-on error,warning "$deb" 2>&1); then
  grep -v 'running with root privileges' <<<"$tags" >&2 || true
  fail "lintian reports errors or warnings"
fi

# Installed, played once, removed and purged: nothing of the package may stay.
if [[ $(id -u) -ne 0 ]] || ! command -v dpkg >/dev/null; then
  echo "check-package: not root: installation and purge not tried"
elif dpkg-query -W -f='${Status}' kvizomat 2>/dev/null | grep -q 'installed'; then
  echo "check-package: kvizomat is installed here already: installation and purge not tried"
elif ! dpkg -i "$deb" >"$tree/dpkg.log" 2>&1; then
  fail "the package does not install: $(tail -3 "$tree/dpkg.log")"
  dpkg --purge kvizomat >/dev/null 2>&1 || true
else
  mkdir -p "$tree/home" && mkdir -m 700 "$tree/runtime"
  HOME=$tree/home XDG_DATA_HOME=$tree/home/data XDG_CONFIG_HOME=$tree/home/config \
    XDG_RUNTIME_DIR=$tree/runtime QT_QPA_PLATFORM=offscreen timeout 60 /usr/games/kvizomat --mute --screenshot "$tree/play.png" ||
    fail "the installed game does not start"
  man -w kvizomat >/dev/null 2>&1 || fail "'man kvizomat' finds no page after installation"
  dpkg -r kvizomat >/dev/null
  state=$(dpkg-query -W -f='${db:Status-Abbrev}' kvizomat 2>/dev/null || true)
  [[ -z $state || $state == "un " || $state == "pn " ]] ||
    fail "removed, the package is still known to dpkg in state '$state'"
  dpkg --purge kvizomat >/dev/null 2>&1 || true # nothing left to purge, as it should be
  for path in /usr/share/kvizomat /usr/lib/kvizomat "/$doc" $(printf '/%s\n' "${expected[@]}"); do
    [[ ! -e $path ]] || fail "purged, the package left $path behind"
  done
fi

# The question editor: its entry starts it under its own icon, its metadata is valid and
# knows the package's version, and the program runs (far enough to tell its version).
editor_desktop=$tree/usr/share/applications/$editor.desktop
editor_metainfo=$tree/usr/share/metainfo/$editor.metainfo.xml
if [[ -f $editor_desktop ]]; then
  desktop-file-validate "$editor_desktop" || fail "the editor's desktop entry is not valid"
  grep -qx 'Exec=kvizomat-editor %f' "$editor_desktop" ||
    fail "the editor's desktop entry does not start kvizomat-editor"
  grep -qx "Icon=$editor" "$editor_desktop" || fail "the editor's desktop entry lacks its icon"
fi
if [[ -f $editor_metainfo ]]; then
  appstreamcli validate --no-net "$editor_metainfo" || fail "the editor's AppStream metadata is not valid"
  grep -q "<release version=\"${version%-*}\" date=\"$release_date\"" "$editor_metainfo" ||
    fail "the editor's AppStream metadata has no release ${version%-*} of $release_date (the changelog's)"
fi
if [[ -x $tree/usr/bin/kvizomat-editor ]]; then
  "$tree/usr/bin/kvizomat-editor" --version >/dev/null 2>&1 || fail "kvizomat-editor --version fails"
fi

if ((failures > 0)); then
  echo "check-package: $deb: $failures problem(s)" >&2
  exit 1
fi
echo "check-package: $deb: $(wc -l <<<"$actual") files, Depends: $depends"
