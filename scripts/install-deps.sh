#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the editor need.
# Installs only what is missing and runs apt-get update at most once.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 libgl1-mesa-dev libjpeg62-turbo-dev zlib1g-dev
  libfreetype-dev libfontconfig-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libgif-dev libcups2-dev
  fonts-dejavu-core fonts-wqy-zenhei fonts-unifont fonts-arphic-uming xfonts-wqy
  xvfb xauth imagemagick openbox xdotool wmctrl python3
  dpkg-dev desktop-file-utils appstream poppler-utils
)

missing=()
for pkg in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    SUDO=sudo
  else
    echo "Missing packages. Run this, then try again:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    exit 1
  fi
else
  SUDO=
fi

echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
