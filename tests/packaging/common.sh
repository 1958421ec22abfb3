# Shared by the packaging checks: a missing tool skips the check (exit 77)
# on a developer's machine but fails it in CI, where scripts/setup.sh has
# installed every tool.
need() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null && continue
    echo "missing $tool (scripts/setup.sh installs it)" >&2
    [ -n "${CI:-}" ] && exit 1
    exit 77
  done
}
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
