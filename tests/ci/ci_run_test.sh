#!/usr/bin/env bash
# .ci/run checks the format, runs the test suite, then the sanitizer suite, then the fuzz
# targets, and
# stops at the first failure. A stand-in for make records what it is asked to build.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cat >"$work/make" <<'FAKE'
#!/usr/bin/env bash
echo "$*" >>"$MAKE_LOG"
[ "$1" != "${FAIL_AT:-}" ]
FAKE
chmod +x "$work/make"

run() {
  : >"$work/log"
  PATH="$work:$PATH" MAKE_LOG="$work/log" FAIL_AT="${1:-}" "$root/.ci/run" >/dev/null 2>&1
}

expect() {
  local got
  got="$(cat "$work/log")"
  if [ "$got" != "$1" ]; then
    printf 'expected:\n%s\ngot:\n%s\n' "$1" "$got" >&2
    exit 1
  fi
}

run
expect $'format-check\ntest\nsanitize\nfuzz FUZZ_SECONDS=20'

# A failing step stops the run there, and the run fails.
if run sanitize; then
  echo ".ci/run succeeded although the sanitizer suite failed" >&2
  exit 1
fi
expect $'format-check\ntest\nsanitize'

# Unformatted code fails the run before anything is built.
if run format-check; then
  echo ".ci/run succeeded although the format check failed" >&2
  exit 1
fi
expect 'format-check'
