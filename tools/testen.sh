#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-san/ and runs every test through CTest,
# then fuzzes the readers for two and a half minutes (dBase 60 s; sheet,
# remembered import sheet and field outlines 30 s each). Beside that the Debian package is built
# (tools/paket.sh) and then checked (tests/paket/deb.sh); in CI, as root, it
# is also installed with apt-get and purged again.
set -euo pipefail
quelle="$(cd "$(dirname "$0")/.." && pwd)"
"$quelle/tools/abhaengigkeiten.sh"
# The package's release build runs at the lowest priority, on what the
# sanitizer build and the tests leave idle (waiting tests, the one fuzzer).
mkdir -p "$quelle/build-paket"
setsid nice -n 19 "$quelle/tools/paket.sh" >"$quelle/build-paket/paket.log" 2>&1 &
paketbau=$!
trap 'kill -- -$paketbau 2>/dev/null || true' EXIT
BUILD_DIR=build-san BUILD_TYPE=Debug "$quelle/tools/bauen.sh" -DQUENDRIX_SANITIZE=ON
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export LSAN_OPTIONS="suppressions=$quelle/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$quelle/build-san"
ctest --output-on-failure -j "$(nproc)"
# The readers meet random files for a bounded time.
"$quelle/tools/fuzzen.sh"
if ! wait "$paketbau"; then
  tail -n 60 "$quelle/build-paket/paket.log"
  echo "Das Paket konnte nicht gebaut werden (build-paket/paket.log)." >&2
  exit 1
fi
einspielen=0
[ "${CI:-}" = true ] && [ "$(id -u)" -eq 0 ] && einspielen=1
EINSPIELEN=$einspielen "$quelle/tests/paket/deb.sh" "$(tail -n 1 "$quelle/build-paket/paket.log")"
