#!/usr/bin/env bash
# Installs the built program into a temporary staging folder (DESTDIR) and checks it as a
# user's desktop would see it: the files in place, a valid launcher and metainfo, an
# installed command-line tool that runs, keeps its data in the per-user folder, and writes
# the sample data with the manual and templates; the installed program starts.
# It also builds the Debian package (about 15 s; FK_CHECK_DEB=0 leaves it out) and checks its
# contents and declared dependencies.
set -uo pipefail
build=$1
source=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
check_file() { [ -s "$stage/usr/$1" ] || fail "missing after install: /usr/$1"; }

DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$stage/install.log" 2>&1 || { cat "$stage/install.log"; fail "cmake --install"; }

for f in bin/fischkladde bin/fischkladde-cli share/fischkladde/Anleitung.pdf \
         share/applications/de.fischkladde.Fischkladde.desktop \
         share/metainfo/de.fischkladde.Fischkladde.metainfo.xml \
         share/icons/hicolor/scalable/apps/fischkladde.svg share/doc/fischkladde/copyright; do
  check_file "$f"
done
for size in 16 32 48 64 128 256; do
  png=$stage/usr/share/icons/hicolor/${size}x${size}/apps/fischkladde.png
  check_file "share/icons/hicolor/${size}x${size}/apps/fischkladde.png"
  [ -s "$png" ] && { file "$png" | grep -q "PNG image data, $size x $size" || fail "$png is not a $size px PNG"; }
done
[ -d "$stage/usr/share/fischkladde/templates" ] || fail "no template folder"
for t in "$source"/data/templates/*.html; do
  [ -e "$t" ] || continue
  cmp -s "$t" "$stage/usr/share/fischkladde/templates/$(basename "$t")" || fail "template $(basename "$t") not installed"
done
[ -x "$stage/usr/bin/fischkladde" ] || fail "program not executable"

desktop-file-validate "$stage/usr/share/applications/de.fischkladde.Fischkladde.desktop" || fail "desktop-file-validate"
grep -q '^Name\[de\]=Fischkladde' "$stage/usr/share/applications/de.fischkladde.Fischkladde.desktop" || fail "no German name"
grep -q '^Icon=fischkladde$' "$stage/usr/share/applications/de.fischkladde.Fischkladde.desktop" || fail "launcher names another icon"
appstreamcli validate --no-net "$stage/usr/share/metainfo/de.fischkladde.Fischkladde.metainfo.xml" >"$stage/as.log" 2>&1 \
  || { cat "$stage/as.log"; fail "appstreamcli validate"; }

# The installed tools, with a home of their own and no program folder set.
export HOME=$stage/home XDG_DATA_HOME=$stage/home/.local/share
unset FISCHKLADDE_HOME
mkdir -p "$HOME"
cli=$stage/usr/bin/fischkladde-cli
"$cli" --help | grep -q '^  demo ORDNER' || fail "installed CLI does not list demo"
folder=$("$cli" folder) || fail "fischkladde-cli folder"
# Even as root (bin writable) an installed program keeps its data in the per-user folder.
[ "$folder" = "$XDG_DATA_HOME/Fischkladde" ] || fail "program folder is '$folder', not the per-user folder"
"$cli" demo "$stage/demo" >"$stage/demo.log" 2>&1 || { cat "$stage/demo.log"; fail "fischkladde-cli demo"; }
cmp -s "$stage/usr/share/fischkladde/Anleitung.pdf" "$stage/demo/Anleitung.pdf" || fail "demo folder did not get the manual"
for t in "$stage"/usr/share/fischkladde/templates/*.html; do
  [ -e "$t" ] || continue
  cmp -s "$t" "$stage/demo/Auswertung/Templates/$(basename "$t")" || fail "demo folder did not get template $(basename "$t")"
done
FISCHKLADDE_HOME=$stage/demo "$cli" check >/dev/null || fail "demo data do not pass check"

# The installed program starts, gets its folders and the manual in the per-user folder, and
# keeps running until stopped.
timeout 8 "$stage/usr/bin/fischkladde" >"$stage/app.log" 2>&1
status=$?
[ $status -eq 124 ] || { cat "$stage/app.log"; fail "installed program ended by itself (status $status)"; }
for f in DATs img Anleitung.pdf; do
  [ -e "$folder/$f" ] || fail "program did not provide $folder/$f"
done
[ ! -e "$stage/usr/bin/DATs" ] || fail "program wrote into its bin folder"

if [ "${FK_CHECK_DEB:-1}" = 1 ]; then
  (cd "$build" && cpack -G DEB -B "$stage/deb" >"$stage/cpack.log" 2>&1) || { cat "$stage/cpack.log"; fail "cpack"; }
  deb=$(ls "$stage"/deb/fischkladde_*.deb 2>/dev/null | head -1)
  if [ -n "$deb" ]; then
    depends=$(dpkg-deb -f "$deb" Depends)
    for d in libqt6widgets6 libjpeg62-turbo qt6-qpa-plugins qt6-translations-l10n; do
      echo "$depends" | grep -q "$d" || fail "package does not depend on $d ($depends)"
    done
    contents=$(dpkg-deb -c "$deb")
    for f in ./usr/bin/fischkladde ./usr/bin/fischkladde-cli ./usr/share/fischkladde/Anleitung.pdf \
             ./usr/share/applications/de.fischkladde.Fischkladde.desktop ./usr/share/doc/fischkladde/copyright; do
      echo "$contents" | grep -q " $f\$" || fail "package lacks $f"
    done
  else
    fail "no .deb built"
  fi
fi

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "installed tree OK"
