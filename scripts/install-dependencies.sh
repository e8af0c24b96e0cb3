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
    cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils libcups2-dev time
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

# Another installer may hold the package lock; wait for it instead of failing.
wait_for_lock() {
    command -v fuser >/dev/null || return 0 # apt's own lock timeout below still waits
    local waited=0
    while fuser /var/lib/dpkg/lock-frontend /var/lib/dpkg/lock /var/lib/apt/lists/lock \
        >/dev/null 2>&1; do
        if [ $waited -ge 600 ]; then
            echo "The package lock is still held after 10 minutes." >&2
            return 1
        fi
        sleep 3
        waited=$((waited + 3))
    done
}

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
wait_for_lock
"${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600 update -qq
wait_for_lock
"${as_root[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends \
    "${missing[@]}"
