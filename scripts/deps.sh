#!/bin/sh
# Installs the Debian packages needed to build, run and test vsect, when any is missing.
set -e
need="g++ make cmake pkg-config libgtest-dev libgmock-dev libbenchmark-dev libx11-dev libpng-dev
      zlib1g-dev libcairo2-dev ghostscript xvfb xdotool x11-apps x11-utils python3 python3-pil
      pngcheck giflib-tools netpbm hp2xx librsvg2-bin poppler-utils python3-matplotlib dpkg-dev
      file man-db libeccodes-dev clang libclang-rt-14-dev"
missing=""
for p in $need; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi
