#!/usr/bin/env bash
# Builds the Debian package build-paket/quendrix_VERSION_ARCH.deb: a release
# build of the program alone (no tests, no benchmarks) with Debian's
# hardening flags, packed by CPack with the libraries' packages found from
# the program (dpkg-shlibdeps). Prints the package's path.
set -euo pipefail
quelle="$(cd "$(dirname "$0")/.." && pwd)"
build="$quelle/build-paket"
"$quelle/tools/abhaengigkeiten.sh"
cmake -S "$quelle" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUENDRIX_TESTS=OFF -DQUENDRIX_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-D_FORTIFY_SOURCE=2 -fstack-protector-strong -fstack-clash-protection -fcf-protection" \
  -DCMAKE_EXE_LINKER_FLAGS="-Wl,-z,relro -Wl,-z,now" >/dev/null
cmake --build "$build" --target quendrix --parallel "$(nproc)"
rm -f "$build"/quendrix_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
ls "$build"/quendrix_*.deb
