#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need,
# but only those that are missing. As root through apt-get, otherwise sudo.
# Further packages a tool needs are given as arguments.
set -euo pipefail

pakete=(
  g++ cmake ninja-build pkg-config git ccache
  qt6-base-dev qt6-translations-l10n
  libsqlcipher-dev sqlcipher libshp-dev
  libxlsxwriter-dev libreoffice-calc-nogui
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core poppler-utils
  dpkg-dev file lintian desktop-file-utils appstream man-db
  "$@"
)

fehlend=()
for p in "${pakete[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlend+=("$p")
done
[ ${#fehlend[@]} -eq 0 ] && exit 0

als_root=()
[ "$(id -u)" -ne 0 ] && als_root=(sudo)
echo "Installiere: ${fehlend[*]}"
"${als_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${als_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${fehlend[@]}"
