#!/usr/bin/env bash
# Builds the fuzz target of the dBase reader with clang and the sanitizers
# into build-fuzz/ and runs it for the given seconds (default 60) over the
# seed corpus fuzz/korpus/; new inputs go to build-fuzz/korpus/.
set -euo pipefail
quelle="$(cd "$(dirname "$0")/.." && pwd)"
sekunden="${1:-60}"
"$quelle/tools/abhaengigkeiten.sh"
if ! command -v clang++ >/dev/null || ! dpkg -s libclang-rt-14-dev >/dev/null 2>&1; then
  als_root=()
  [ "$(id -u)" -ne 0 ] && als_root=(sudo)
  "${als_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q clang libclang-rt-14-dev
fi
CXX=clang++ CC=clang cmake -S "$quelle" -B "$quelle/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUENDRIX_FUZZ=ON -DQUENDRIX_TESTS=OFF -DQUENDRIX_BENCH=OFF >/dev/null
cmake --build "$quelle/build-fuzz" --target dbase_fuzz
mkdir -p "$quelle/build-fuzz/korpus"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
"$quelle/build-fuzz/fuzz/dbase_fuzz" -max_total_time="$sekunden" -max_len=4096 -timeout=10 \
  "$quelle/build-fuzz/korpus" "$quelle/fuzz/korpus"
