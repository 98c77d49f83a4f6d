#!/usr/bin/env bash
# Configures and builds into ./build (warnings are errors).
set -euo pipefail
cd "$(dirname "$0")/.."
launcher=()
if command -v ccache >/dev/null; then
  # Work trees of the same project share compiled objects.
  export CCACHE_BASEDIR="$PWD"
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFK_WERROR=ON "${launcher[@]}" >/dev/null
cmake --build build -j"$(nproc)"
