#!/usr/bin/env bash
# Builds every libFuzzer target (the `fuzz` preset) and runs each for SECONDS
# (default 60) on its corpus, then prints the executions and findings per target.
#
#   scripts/fuzz.sh [SECONDS]
#
# Installs clang-16 and libclang-rt-16-dev first when they are missing
# (apt-get, as root or through sudo). Each target starts from the corpus kept
# in fuzz/corpus/<target>/; what it finds new goes to build/fuzz/corpus/<target>/,
# crashes, leaks and timeouts to build/fuzz/findings/<target>/. With
# FUZZ_MERGE=1 the small inputs (up to 2 KB) that reach code the corpus does
# not are added to fuzz/corpus/<target>/, to be committed (ctest replays the
# corpus in every build).
# The exit status is 1 when any target found something.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
case "$seconds" in '' | *[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2 ;; esac

scripts/setup.sh
missing=()
for p in clang-16 libclang-rt-16-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "fuzz: installing ${missing[*]}"
  $sudo apt-get -o DPkg::Lock::Timeout=900 update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=900 install -y -qq "${missing[@]}"
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

status=0
summary=()
for source in fuzz/*ReaderFuzz.cpp; do
  stem=$(basename "$source" .cpp)                       # EaseReaderFuzz
  format=$(sed -E 's/ReaderFuzz$//' <<<"$stem" | tr 'A-Z' 'a-z')
  target="${format}_reader_fuzz"
  program="build/fuzz/fuzz/$target"
  corpus="fuzz/corpus/$target"
  work="build/fuzz/corpus/$target"
  findings="build/fuzz/findings/$target"
  rm -rf "$findings" && mkdir -p "$corpus" "$work" "$findings"
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
           -artifact_prefix="$findings/")
  [ -f "fuzz/$format.dict" ] && options+=(-dict="fuzz/$format.dict")
  echo "fuzz: $target for $seconds s"
  log="build/fuzz/$target.log"
  "$program" "${options[@]}" "$work" "$corpus" >"$log" 2>&1 || true
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  found=$(find "$findings" -type f | wc -l)
  if [ "${FUZZ_MERGE:-0}" = 1 ]; then
    # Keeps the corpus as it is and adds the inputs of at most 2 KB that reach
    # code it does not, so the corpus stays small.
    small="build/fuzz/small/$target"
    rm -rf "$small" && mkdir -p "$small"
    find "$work" -type f -size -2049c -exec cp {} "$small"/ \;
    "$program" -merge=1 "$corpus" "$small" >>"$log" 2>&1
  fi
  summary+=("$(printf '%-22s %12s executions  %3d findings' "$target" "${runs:-?}" "$found")")
  [ "$found" -eq 0 ] || { status=1; find "$findings" -type f -printf '  %p\n'; }
done
printf '%s\n' "${summary[@]}"
exit $status
