#!/usr/bin/env bash
# Builds the fuzz target of the dBase reader with clang and the sanitizers
# into build-fuzz/ and runs it for the given seconds (default 60) over the
# seed corpus fuzz/korpus/; new inputs go to build-fuzz/korpus/.
set -euo pipefail
quelle="$(cd "$(dirname "$0")/.." && pwd)"
sekunden="${1:-60}"
"$quelle/tools/abhaengigkeiten.sh" clang libclang-rt-14-dev
CXX=clang++ CC=clang cmake -S "$quelle" -B "$quelle/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUENDRIX_FUZZ=ON -DQUENDRIX_TESTS=OFF -DQUENDRIX_BENCH=OFF >/dev/null
cmake --build "$quelle/build-fuzz" --target dbase_fuzz
mkdir -p "$quelle/build-fuzz/korpus"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The run's long progress log is shown only when it finds something.
if ! "$quelle/build-fuzz/fuzz/dbase_fuzz" -max_total_time="$sekunden" -max_len=4096 -timeout=10 \
  -artifact_prefix="$quelle/build-fuzz/" "$quelle/build-fuzz/korpus" "$quelle/fuzz/korpus" \
  >"$quelle/build-fuzz/lauf.log" 2>&1; then
  tail -n 80 "$quelle/build-fuzz/lauf.log"
  echo "Fuzzing des dBase-Lesers hat einen Fehler gefunden (Eingabe in build-fuzz/)." >&2
  exit 1
fi
grep -E "^Done|stat::number_of_executed_units" "$quelle/build-fuzz/lauf.log" || tail -n 3 "$quelle/build-fuzz/lauf.log"
