#!/bin/sh
# Installs what building, running and testing need on Debian 12 (apt-get, as root
# or through sudo), or just the packages named. Quiet and idempotent: packages
# already present are kept.
# Usage: scripts/install-deps.sh [PACKAGE...]
set -e
PKGS="build-essential cmake ninja-build pkg-config git
qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev qtwayland5 qttranslations5-l10n
qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-svg-dev qt6-wayland qt6-translations-l10n libgl-dev
libbenchmark-dev libtelnet-dev
clang-14 libfuzzer-14-dev libclang-rt-14-dev
xvfb xauth xdotool x11-apps x11-xserver-utils imagemagick
inetutils-telnet inetutils-telnetd socat expect iproute2 util-linux procps
dpkg-dev fakeroot file"
[ $# -eq 0 ] || PKGS="$*"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
missing=""
for p in $PKGS; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "install-deps: installing$missing"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
