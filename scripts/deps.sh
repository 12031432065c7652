#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages Padrix needs that are missing.
# Usage: scripts/deps.sh build|test|package|ci
set -euo pipefail

build_pkgs=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev qt6-qpa-plugins
    libsdl2-dev libxtst-dev libx11-dev libxi-dev libevdev-dev libgl-dev
    libwayland-dev libxkbcommon-dev wayland-protocols librust-wayland-protocols-dev)
test_pkgs=(libgtest-dev libgmock-dev libbenchmark-dev xvfb x11-xkb-utils xdotool trayer jwm xauth
    groff-base appstream desktop-file-utils sway xwayland wev grim waybar dbus-daemon
    x11-xserver-utils)
package_pkgs=(dpkg-dev file)
ci_pkgs=(acl)

wanted=("${build_pkgs[@]}")
case "${1:-build}" in
    test) wanted+=("${test_pkgs[@]}") ;;
    package) wanted+=("${package_pkgs[@]}") ;;
    ci) wanted+=("${ci_pkgs[@]}") ;;
esac

missing=()
for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
