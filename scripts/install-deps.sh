#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshots need,
# only those that are missing, so a second run costs nothing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev qt6-image-formats-plugins
  qt6-translations-l10n qt6-qpa-plugins libgl-dev
  libsqlite3-dev sqlite3 libwmf-dev libbenchmark-dev
  # backups: archives through libarchive, their checksums through nettle
  libarchive-dev nettle-dev
  # libwmf refuses every metafile, text or not, without its fonts
  fonts-urw-base35
  xvfb xauth x11-apps imagemagick fonts-dejavu-core locales
  # pdftoppm: the pay slip's PDF looked at as a picture
  poppler-utils
  # make package: dpkg-shlibdeps finds the libraries' packages, file tells
  # CPack which files are programs; the desktop entry and the metainfo are
  # checked by their own validators
  dpkg-dev file desktop-file-utils appstream
  # the man page's test formats it as man does
  man-db
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
