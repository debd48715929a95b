#!/usr/bin/env bash
# Installs what is missing, builds the program (only the program, not the
# tests) and starts Quendrix in its working folder (~/Quendrix unless another
# folder is given), where it keeps its database.
set -euo pipefail
quelle="$(cd "$(dirname "$0")/.." && pwd)"
"$quelle/tools/abhaengigkeiten.sh"
cmake -S "$quelle" -B "$quelle/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$quelle/build" --target quendrix
# The program makes the folder when missing and refuses one it cannot use.
exec "$quelle/build/app/quendrix" --ordner "${1:-$HOME/Quendrix}"
