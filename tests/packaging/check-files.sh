#!/usr/bin/env bash
# The desktop files as the desktop's own validators see them, and the
# fonderel-cli manual page saying what fonderel-cli --help says.
#   check-files.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1/packaging build=$2
. "$(dirname "$0")/common.sh"
need desktop-file-validate appstreamcli xmllint update-mime-database man

out=$(desktop-file-validate "$src/org.fonderel.Fonderel.desktop") || fail "desktop entry: $out"
! grep -q 'error' <<<"$out" || fail "desktop entry: $out"
appstreamcli validate --no-net "$build/packaging/org.fonderel.Fonderel.metainfo.xml" || fail "metainfo"
xmllint --noout "$src/fonderel-spk.xml" "$src/icons/fonderel.svg" \
  "$build/packaging/org.fonderel.Fonderel.metainfo.xml" || fail "XML"

# The file type: both spellings of the extension and the first line match.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/mime/packages"
cp "$src/fonderel-spk.xml" "$tmp/mime/packages/"
update-mime-database "$tmp/mime" 2>/dev/null || fail "update-mime-database"
for line in 'application/x-fonderel-spk:*.spk' 'application/x-fonderel-spk:*.SPK'; do
  grep -qF ":$line" "$tmp/mime/globs2" || fail "no glob $line"
done
grep -aq '"Source Name",' "$tmp/mime/magic" || fail "no magic match"

# Each manual page renders without warnings; every line of every --help text
# appears in the fonderel-cli page.
for page in "$build/packaging/fonderel.1" "$build/packaging/fonderel-cli.1"; do
  warnings=$(LC_ALL=C MANWIDTH=250 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
done
cli=$build/cli/fonderel-cli
page=$(LC_ALL=C MANWIDTH=250 man -l "$build/packaging/fonderel-cli.1" 2>/dev/null | sed 's/^ *//')
subcommands=$("$cli" --help | sed -n '/^Subcommands:/,$s/^  \([a-z][a-z0-9-]*\) .*/\1/p')
[ -n "$subcommands" ] || fail "no subcommands in fonderel-cli --help"
for sub in "" $subcommands; do
  while IFS= read -r line; do
    line=$(sed 's/^ *//' <<<"$line")
    [ -z "$line" ] || grep -qxF -- "$line" <<<"$page" || fail "fonderel-cli.1 lacks '$line' ($sub --help)"
  done < <("$cli" $sub --help)
done
echo "packaging files: valid; fonderel-cli.1 in step with $(wc -w <<<"$subcommands") subcommands"
