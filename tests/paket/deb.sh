#!/usr/bin/env bash
# The Debian package from tools/paket.sh: its control file names the
# libraries found from the program, `dpkg -c` and a scratch root made with
# `dpkg -x` hold exactly the expected files, the program from it runs,
# lintian finds no error and apt can install it. With EINSPIELEN=1 (as root,
# in CI) it is installed with apt-get for real and purged again, and no file
# of it may stay behind.
#   deb.sh PAKET.deb
set -euo pipefail
deb="$(realpath "$1")"
hier="$(cd "$(dirname "$0")" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fehler=0
falsch() { echo "FEHLER: $*" >&2; fehler=1; }
grep -v '^#' "$hier/dateien.txt" | sed 's|^|/usr/|' >"$tmp/erwartet"

abh="$(dpkg-deb -f "$deb" Depends)"
for p in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libsqlcipher0 libshp \
  libxlsxwriter fonts-dejavu-core; do
  [[ ", $abh" == *", $p"* ]] || falsch "Depends ohne $p: $abh"
done

# A sanitizer build would need its runtime libraries.
[[ "$abh" != *libasan* && "$abh" != *libubsan* ]] || falsch "Paket aus einem Bau mit Sanitizern: $abh"

dpkg -c "$deb" | awk '$1 !~ /^d/ {print substr($6, 2)}' | LC_ALL=C sort >"$tmp/gelistet"
diff -u "$tmp/erwartet" "$tmp/gelistet" || falsch "dpkg -c listet andere Dateien"

dpkg -x "$deb" "$tmp/wurzel"
(cd "$tmp/wurzel" && find . -type f -o -type l | sed 's|^\.||' | LC_ALL=C sort) >"$tmp/da"
diff -u "$tmp/erwartet" "$tmp/da" || falsch "dpkg -x legt andere Dateien ab"
file -b "$tmp/wurzel/usr/bin/quendrix" | grep -q "ELF.*, stripped" || falsch "das Programm ist nicht gestrippt"
version="$(dpkg-deb -f "$deb" Version)"
[ "$(QT_QPA_PLATFORM=offscreen "$tmp/wurzel/usr/bin/quendrix" --version 2>/dev/null)" = "Quendrix $version" ] ||
  falsch "das Programm aus dem Paket meldet nicht Version $version"

# Errors fail; warnings are shown.
lintian --fail-on error "$deb" || falsch "lintian meldet Fehler"
apt-get install -s "$deb" >"$tmp/apt" 2>&1 || { cat "$tmp/apt"; falsch "apt-get kann das Paket nicht installieren"; }

if [ "${EINSPIELEN:-0}" = 1 ]; then
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$deb" >"$tmp/apt" 2>&1 ||
    { cat "$tmp/apt"; falsch "apt-get install"; }
  [ "$(QT_QPA_PLATFORM=offscreen quendrix --version 2>/dev/null)" = "Quendrix $version" ] ||
    falsch "das installierte Programm läuft nicht"
  DEBIAN_FRONTEND=noninteractive apt-get purge -y -q quendrix >"$tmp/apt" 2>&1 ||
    { cat "$tmp/apt"; falsch "apt-get purge"; }
  while read -r f; do [ ! -e "$f" ] || falsch "$f blieb nach dem Entfernen"; done <"$tmp/erwartet"
  [ ! -e /usr/share/doc/quendrix ] || falsch "/usr/share/doc/quendrix blieb nach dem Entfernen"
fi
[ $fehler -eq 0 ] && echo "Paket $(basename "$deb") geprüft."
exit $fehler
