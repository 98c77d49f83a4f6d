#!/usr/bin/env bash
# Configures and builds into ./build (warnings are errors).
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
if command -v ccache >/dev/null; then
  # Work trees and fresh clones of the project share compiled objects (the debug info then
  # names paths relative to the build folder).
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFK_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build build -j"$(nproc)"
