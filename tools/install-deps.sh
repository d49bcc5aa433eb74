#!/bin/sh
# Installs the Debian packages the build, the game and the tests need, when any is missing.
# Safe to run again: it does nothing once everything is there.
set -e
PACKAGES="gcc g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev libbenchmark-dev \
libsdl1.2-dev libsdl-mixer1.2-dev libsdl-image1.2-dev libsdl-gfx1.2-dev libbox2d-dev clang \
libclang-rt-14-dev libgl-dev libgl1-mesa-dri xvfb xauth"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing missing packages:$missing"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
elif command -v sudo >/dev/null 2>&1; then
    SUDO="sudo"
else
    echo "error: need root or sudo to install:$missing" >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends $missing
