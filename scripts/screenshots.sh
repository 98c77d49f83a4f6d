#!/usr/bin/env bash
# Pictures of the program for the README: writes the sample data into a temporary folder,
# starts the windows on them under Xvfb and saves one PNG per window in docs/screenshots/
# (windows that do not exist yet are skipped). Report PDFs it makes are shown by their first page.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
[ -x "$build/fischkladde-screens" ] && [ -x "$build/fischkladde-cli" ] || bash scripts/build.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/fischkladde-cli" demo "$work/demo" >/dev/null
mkdir -p "$work/shots" docs/screenshots
env -u QT_QPA_PLATFORM FISCHKLADDE_HOME="$work/demo" \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/fischkladde-screens" "$work/shots"
for pdf in "$work"/shots/*.pdf; do
  [ -e "$pdf" ] || continue
  pdftoppm -png -r 70 -f 1 -l 1 -singlefile "$pdf" "$work/shots/$(basename "$pdf" .pdf)_seite1"
done
rm -f docs/screenshots/*.png
cp "$work"/shots/*.png docs/screenshots/
ls docs/screenshots
