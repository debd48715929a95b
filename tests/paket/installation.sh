#!/usr/bin/env bash
# The install tree of a build: `cmake --install` into a scratch DESTDIR holds
# exactly the expected files, the menu entry and the AppStream data pass
# their validators, the icons have their sizes, the manual page renders
# without warnings, and the installed program refuses a working folder it
# cannot use.
#   installation.sh BUILD-ORDNER
set -euo pipefail
build="$1"
hier="$(cd "$(dirname "$0")" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fehler=0
falsch() { echo "FEHLER: $*" >&2; fehler=1; }

DESTDIR="$tmp/wurzel" cmake --install "$build" --prefix /usr >/dev/null
usr="$tmp/wurzel/usr"
grep -v '^#' "$hier/dateien.txt" >"$tmp/erwartet"
(cd "$usr" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) >"$tmp/da"
diff -u "$tmp/erwartet" "$tmp/da" || falsch "die installierten Dateien weichen ab"
[ "$(find "$tmp/wurzel" -mindepth 1 -maxdepth 1)" = "$tmp/wurzel/usr" ] || falsch "Dateien außerhalb von /usr"

desktop="$usr/share/applications/de.quendrix.Quendrix.desktop"
desktop-file-validate "$desktop" || falsch "desktop-file-validate"
for zeile in 'Categories=Office;' 'Keywords=Dünger;Düngeverordnung;Düngebedarf;' 'Exec=quendrix' \
  'Icon=de.quendrix.Quendrix'; do
  grep -q "^$zeile" "$desktop" || falsch "$desktop ohne $zeile"
done
appstreamcli validate-tree --no-net "$usr" >"$tmp/appstream" 2>&1 || { cat "$tmp/appstream"; falsch "appstreamcli"; }

for n in 16 22 24 32 48 64 128 256; do
  file -b "$usr/share/icons/hicolor/${n}x${n}/apps/de.quendrix.Quendrix.png" | grep -q "PNG image data, $n x $n," ||
    falsch "Symbol ${n}x$n hat nicht diese Größe"
done

# groff's warnings (unknown macros, lines too long) come on the error output.
MANWIDTH=80 man --warnings -E UTF-8 -l "$usr/share/man/man1/quendrix.1.gz" 2>"$tmp/man" >"$tmp/man.txt"
[ -s "$tmp/man" ] && { cat "$tmp/man"; falsch "Warnungen der Handbuchseite"; }
grep -q -- "--ordner ORDNER" "$tmp/man.txt" || falsch "Handbuchseite ohne --ordner"

# A file where the working folder should be: message, exit code 2, nothing
# made. (The window would show the message in a box, so the command line.)
touch "$tmp/datei"
set +e
HOME="$tmp/heim" "$usr/bin/quendrix" --ordner "$tmp/datei/Quendrix" --stapel >"$tmp/aus" 2>"$tmp/meldung"
code=$?
set -e
[ "$code" -eq 2 ] || falsch "Rückgabewert $code statt 2 bei unbrauchbarem Arbeitsordner"
grep -q "kann nicht angelegt werden" "$tmp/meldung" || { cat "$tmp/meldung"; falsch "keine Meldung zum Arbeitsordner"; }
[ ! -e "$tmp/heim" ] || falsch "im Heimordner wurde etwas angelegt"
exit $fehler
