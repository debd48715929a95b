#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-san/ and runs every test through CTest,
# then fuzzes the readers for two minutes (dBase 60 s, sheet and remembered
# import sheet 30 s each).
set -euo pipefail
quelle="$(cd "$(dirname "$0")/.." && pwd)"
"$quelle/tools/abhaengigkeiten.sh"
BUILD_DIR=build-san BUILD_TYPE=Debug "$quelle/tools/bauen.sh" -DQUENDRIX_SANITIZE=ON
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export LSAN_OPTIONS="suppressions=$quelle/tools/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd "$quelle/build-san"
ctest --output-on-failure -j "$(nproc)"
# The readers meet random files for a bounded time.
"$quelle/tools/fuzzen.sh"
