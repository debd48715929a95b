#!/usr/bin/env bash
# Builds the fuzz targets of the readers with clang and the sanitizers into
# build-fuzz/ and runs them one after another over their seed corpora:
#   dbase  the dBase reader                       fuzz/korpus/        60 s
#   blatt  the sheet's TXT, CSV, clipboard reader  fuzz/korpus_blatt/  30 s
#   shape  the remembered import sheet             fuzz/korpus_shape/  30 s
#   umriss the outlines of a .shp with its .shx     fuzz/korpus_umriss/ 30 s
# "fuzzen.sh ZIEL [SEKUNDEN]" runs one target. New inputs go to the
# corpus's namesake in build-fuzz/, a finding to build-fuzz/ZIEL-….
set -euo pipefail
quelle="$(cd "$(dirname "$0")/.." && pwd)"
declare -A sekunden=([dbase]=60 [blatt]=30 [shape]=30 [umriss]=30)
declare -A korpus=([dbase]=korpus [blatt]=korpus_blatt [shape]=korpus_shape [umriss]=korpus_umriss)
# Longest input: a .dbf needs its header; a text reaches the sheet's 256
# columns in 300 bytes, and a run over longer text only costs more.
declare -A laenge=([dbase]=4096 [blatt]=320 [shape]=300 [umriss]=2048)
ziele=(dbase blatt shape umriss)
if [ $# -ge 1 ]; then
  if [ -z "${sekunden[$1]+x}" ]; then
    echo "Unbekanntes Ziel „$1“ (dbase, blatt, shape oder umriss)." >&2
    exit 2
  fi
  ziele=("$1")
  sekunden[$1]="${2:-${sekunden[$1]}}"
fi
"$quelle/tools/abhaengigkeiten.sh" clang libclang-rt-14-dev
CXX=clang++ CC=clang cmake -S "$quelle" -B "$quelle/build-fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DQUENDRIX_FUZZ=ON -DQUENDRIX_TESTS=OFF -DQUENDRIX_BENCH=OFF >/dev/null
cmake --build "$quelle/build-fuzz" --target "${ziele[@]/%/_fuzz}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The readers allocate per character: a small quarantine and short
# allocation stacks keep the sanitizer's allocator from taking most of the time.
export ASAN_OPTIONS="quarantine_size_mb=16:malloc_context_size=2${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
for ziel in "${ziele[@]}"; do
  neu="$quelle/build-fuzz/${korpus[$ziel]}"
  log="$quelle/build-fuzz/lauf_$ziel.log"
  mkdir -p "$neu"
  # The run's long progress log is shown only when it finds something.
  if ! "$quelle/build-fuzz/fuzz/${ziel}_fuzz" -max_total_time="${sekunden[$ziel]}" -max_len="${laenge[$ziel]}" \
    -timeout=10 -artifact_prefix="$quelle/build-fuzz/$ziel-" "$neu" "$quelle/fuzz/${korpus[$ziel]}" >"$log" 2>&1; then
    tail -n 80 "$log"
    echo "Fuzzing ($ziel) hat einen Fehler gefunden (Eingabe in build-fuzz/)." >&2
    exit 1
  fi
  echo "$ziel: $(grep -E "^Done" "$log" || tail -n 1 "$log")"
done
