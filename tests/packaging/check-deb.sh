#!/usr/bin/env bash
# Builds the Debian package from the build tree and checks it as a user's
# machine would meet it: its contents, the programs run from the extracted
# tree, lintian without errors (warnings are printed).
#   check-deb.sh BUILD_DIR
set -euo pipefail
build=$1
. "$(dirname "$0")/common.sh"
need cpack dpkg-deb dpkg-shlibdeps file lintian

tmp=$(mktemp -d)
gui=""
trap '[ -z "$gui" ] || kill "$gui" 2>/dev/null; rm -rf "$tmp"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log"; fail cpack; }
debs=("$tmp"/out/fonderel_*_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "no fonderel_<version>_<arch>.deb"
deb=${debs[0]}

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}')
for path in usr/bin/fonderel usr/bin/fonderel-cli \
  usr/share/fonderel/sources/HORN90X40.SPK usr/share/fonderel/Manual/MFonderel.htm \
  usr/share/applications/org.fonderel.Fonderel.desktop usr/share/mime/packages/fonderel.xml \
  usr/share/metainfo/org.fonderel.Fonderel.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/fonderel.svg usr/share/icons/hicolor/48x48/apps/fonderel.png \
  usr/share/icons/hicolor/256x256/apps/fonderel.png \
  usr/share/icons/hicolor/scalable/mimetypes/application-x-fonderel-spk.svg \
  usr/share/man/man1/fonderel.1.gz usr/share/man/man1/fonderel-cli.1.gz \
  usr/share/doc/fonderel/copyright usr/share/doc/fonderel/changelog.gz; do
  grep -qx "\./$path" <<<"$contents" || fail "package lacks /$path"
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libqt6widgets6' <<<"$depends" || fail "Depends has no Qt: $depends"
[ "$(dpkg-deb -f "$deb" Section)" = science ] || fail "Section"

dpkg-deb -x "$deb" "$tmp/root"
root=$tmp/root/usr
"$root/bin/fonderel-cli" info "$root/share/fonderel/sources/HORN90X40.SPK" >"$tmp/info.txt" ||
  fail "fonderel-cli info on the shipped example"
grep -q 'Horn 90x40 two-way' "$tmp/info.txt" || fail "fonderel-cli info: $(cat "$tmp/info.txt")"

# The program starts offscreen and says where it found its folders.
HOME=$tmp/home XDG_CONFIG_HOME=$tmp/home QT_QPA_PLATFORM=offscreen \
  QT_LOGGING_RULES='fonderel.startup.info=true' "$root/bin/fonderel" >"$tmp/gui.log" 2>&1 &
gui=$!
for _ in $(seq 100); do
  grep -q 'manual:' "$tmp/gui.log" && break
  kill -0 "$gui" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$gui" 2>/dev/null || fail "fonderel did not keep running: $(cat "$tmp/gui.log")"
grep -qx "fonderel.startup: sources: $root/share/fonderel/sources" "$tmp/gui.log" &&
  grep -qx "fonderel.startup: manual: $root/share/fonderel/Manual/MFonderel.htm" "$tmp/gui.log" ||
  fail "fonderel found no sources/ or Manual/: $(cat "$tmp/gui.log")"

lintian --tag-display-limit 0 "$deb" >"$tmp/lintian.txt" 2>&1 || true
cat "$tmp/lintian.txt"
! grep -q '^E: ' "$tmp/lintian.txt" || fail "lintian reports errors"
echo "package $(basename "$deb"): contents, programs and lintian checked"
