#!/usr/bin/env bash
# Installs the packages, builds, and runs every test; then the short reliability run: each
# fuzz target for 10 s and the whole suite again under the sanitizers (scripts/reliability.sh).
# FK_RELIABILITY=0 leaves the reliability run out.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 600)
if [ "${FK_RELIABILITY:-1}" != 0 ]; then
  # The labelled reliability tests are part of the suite above.
  bash scripts/reliability.sh --short --no-labelled
fi
