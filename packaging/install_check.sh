#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that every installed
# file is there and sound: the programs run, the desktop entry validates, the
# manual pages render without a warning.
# Usage: install_check.sh build-folder version
set -euo pipefail
build=$1
version=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for f in bin/veltaro bin/veltaro-cli; do
  [ -x "$prefix/$f" ] || fail "$f missing or not executable"
done
for f in share/applications/veltaro.desktop share/icons/hicolor/scalable/apps/veltaro.svg \
         share/man/man1/veltaro.1.gz share/man/man1/veltaro-cli.1.gz \
         share/doc/veltaro/README.md share/doc/veltaro/LICENSE share/doc/veltaro/copyright \
         share/doc/veltaro/changelog.gz; do
  [ -s "$prefix/$f" ] || fail "$f missing or empty"
done

# The installed command line runs on its own, and computes.
cli=$prefix/bin/veltaro-cli
[ "$("$cli" --version)" = "veltaro-cli $version" ] || fail "veltaro-cli --version: '$("$cli" --version)'"
out=$(cd "$prefix" && "$cli" --alpha 5) || fail "veltaro-cli --alpha 5 failed"
grep -q '^Clift=' <<<"$out" || fail "no Clift= in: $out"
# The About box text is built from the same version number.
grep -qaF "Ver. $version." "$prefix/bin/veltaro" || fail "About text 'Ver. $version.' not in veltaro"

# The copyright file is machine-readable; the changelog reads as Debian's.
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  "$prefix/share/doc/veltaro/copyright" || fail "copyright file is not in the machine-readable format"
[ "$(gzip -dc "$prefix/share/doc/veltaro/changelog.gz" | dpkg-parsechangelog -l- -SVersion)" = "$version" ] ||
  fail "the changelog's latest entry is not version $version"

# Hints (such as the two main categories asked for) are allowed; errors and
# warnings are not.
desktop=$prefix/share/applications/veltaro.desktop
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
if grep -E 'error:|warning:' <<<"$report"; then fail "desktop-file-validate complains"; fi
for line in 'Exec=veltaro' 'Icon=veltaro' 'Terminal=false' 'Categories=Education;Science;Engineering;'; do
  grep -qxF "$line" "$desktop" || fail "desktop entry lacks $line"
done
grep -q '<path ' "$prefix/share/icons/hicolor/scalable/apps/veltaro.svg" || fail "icon has no outline"

# Both pages render cleanly and carry the version and the sections a user
# looks for.
for page in veltaro veltaro-cli; do
  file=$prefix/share/man/man1/$page.1.gz
  warnings=$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page.1 renders with warnings: $warnings"
  text=$(MANWIDTH=80 man -l "$file" 2>/dev/null)
  for heading in NAME SYNOPSIS DESCRIPTION FILES 'EXIT STATUS' EXAMPLES; do
    grep -q "^$heading" <<<"$text" || fail "$page.1 has no $heading section"
  done
  grep -qF "$version" <<<"$text" || fail "$page.1 does not carry version $version"
  grep -qF 'Airfoil_<n>.out' <<<"$text" || fail "$page.1 does not name the result file"
done
echo "install tree: PASS"
