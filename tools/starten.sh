#!/usr/bin/env bash
# Installs what is missing, builds and starts Quendrix in its working folder
# (~/Quendrix unless another folder is given), where it keeps its database.
set -euo pipefail
quelle="$(cd "$(dirname "$0")/.." && pwd)"
"$quelle/tools/abhaengigkeiten.sh"
"$quelle/tools/bauen.sh"
ordner="${1:-$HOME/Quendrix}"
mkdir -p "$ordner"
cd "$ordner"
exec "$quelle/build/app/quendrix"
