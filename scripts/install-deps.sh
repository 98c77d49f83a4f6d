#!/usr/bin/env bash
# Installs every Debian 12 package the build, the program and the tests need.
# Idempotent: asks apt only when a package is missing.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
  libjpeg62-turbo-dev libzip-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qpdf poppler-utils unzip zip libxml2-utils imagemagick file
  xvfb xauth xdg-utils
  desktop-file-utils appstream librsvg2-bin dpkg-dev
  clang libclang-rt-14-dev llvm
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
