#!/usr/bin/env bash
# Builds the Debian package from a build folder and looks at it as dpkg, the desktop and a
# student would: what it holds, what it depends on, its menu entry, and whether the program,
# unpacked as apt would put it, starts and reads its pictures from beside itself.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  exit 1
fi
deb=$(ls "$work"/out/fmlab_*_*.deb)
listing=$(dpkg-deb -c "$deb" | sed -E 's/^([^ ]+ +){5}//')  # keep "path" or "path -> target"

expected=(./usr/lib/fmlab/fmlab ./usr/lib/fmlab/fmlab-results
          ./usr/share/applications/fmlab.desktop ./usr/share/icons/hicolor/scalable/apps/fmlab.svg)
for picture in "$source"/pictures/*.svg; do expected+=("./usr/lib/fmlab/$(basename "$picture")"); done
for icon in "$source"/pictures/icons/*.svg; do
  name=$(basename "$icon")
  expected+=("./usr/lib/fmlab/${name%.svg}")
done
for path in "${expected[@]}"; do
  grep -qxF -- "$path" <<<"$listing" || fail "the package lacks $path"
done
for program in fmlab fmlab-results; do
  grep -qxF -- "./usr/bin/$program -> ../lib/fmlab/$program" <<<"$listing" ||
    fail "/usr/bin/$program is not a link to the program"
done

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6svg6 qt6-translations-l10n; do
  grep -q "\b$package\b" <<<"$depends" || fail "Depends lacks $package: $depends"
done

dpkg-deb -x "$deb" "$work/root"
entry="$work/root/usr/share/applications/fmlab.desktop"
desktop-file-validate "$entry" || fail "the menu entry does not validate"
grep -qxF 'Name=Исследование модуляционной характеристики' "$entry" || fail "the entry's Name"
grep -qxF 'Categories=Education;Science;' "$entry" || fail "the entry's Categories"

# Started through the link on the PATH, from another folder: it must find its pictures beside
# the program file. The title screen reads two of them; the system calls tell which files the
# program opened and whether they were there. Still running after the wait means it did not
# stop on an error.
status=0
(cd "$work" && QT_QPA_PLATFORM=offscreen strace -f -qq -e trace=openat -o "$work/trace" \
   timeout 8 "$work/root/usr/bin/fmlab") >"$work/run.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$work/run.log" >&2; fail "the program ended with $status"; }
for picture in Demo.svg Logo1.svg; do
  grep -qE "\"$work/root/usr/lib/fmlab/$picture\", O_RDONLY[^)]*\) = [0-9]+$" "$work/trace" ||
    fail "the program did not read $picture from beside itself"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures failed" >&2
  exit 1
fi
echo "package: all checks passed"
