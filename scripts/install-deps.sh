#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need,
# skipping what is already there. Uses sudo only when not root.
set -euo pipefail

packages=(
    build-essential cmake ninja-build
    qt6-base-dev qt6-l10n-tools qt6-tools-dev qt6-translations-l10n libqt6svg6
    libboost-dev libgtest-dev libbenchmark-dev
    xvfb xauth xdotool openbox wmctrl
    dpkg-dev file desktop-file-utils appstream shared-mime-info
    locales
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The number texts are checked under a German C library locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
    as_root sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    as_root locale-gen >/dev/null
fi
