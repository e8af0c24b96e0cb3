#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need, only those that
# are missing. Run as root (or with sudo available).
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-image-formats-plugins libqt6svg6 libgl-dev
    fonts-liberation fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth
    cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils librsvg2-bin qpdf libxml2-utils libcups2-dev libpng-dev time python3-pil
    dpkg-dev desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi

source "$(dirname "$0")/apt-lock.sh"

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
wait_for_lock
"${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
wait_for_lock
"${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends \
    "${missing[@]}"
