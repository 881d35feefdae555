#!/usr/bin/env bash
# Builds the Debian package from a build folder and looks at it as dpkg, lintian, the desktop, a
# software centre and a student would: what it holds, what it depends on, its menu and AppStream
# entries, its manual pages, and whether the program, unpacked as apt would put it, starts and
# reads its pictures from beside itself.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  exit 1
fi
deb=$(ls "$work"/out/fmlab_*_*.deb)
listing=$(dpkg-deb -c "$deb" | sed -E 's/^([^ ]+ +){5}//')  # keep "path" or "path -> target"

id=ru.fmlab.fmlab
programs=(fmlab fmlab-results fmlab-journal)
manuals=()
for program in "${programs[@]}"; do
  manuals+=(./usr/share/man/man1/$program.1.gz ./usr/share/man/ru/man1/$program.1.gz)
done
expected=("${programs[@]/#/./usr/lib/fmlab/}" "${manuals[@]}"
          ./usr/share/applications/$id.desktop ./usr/share/applications/ru.fmlab.journal.desktop
          ./usr/share/metainfo/$id.metainfo.xml
          ./usr/share/doc/fmlab/copyright ./usr/share/doc/fmlab/changelog.Debian.gz
          ./usr/share/icons/hicolor/scalable/apps/fmlab.svg)
for picture in "$source"/pictures/*.svg; do expected+=("./usr/lib/fmlab/$(basename "$picture")"); done
for icon in "$source"/pictures/icons/*.svg; do
  name=$(basename "$icon")
  expected+=("./usr/lib/fmlab/${name%.svg}")
done
for path in "${expected[@]}"; do
  grep -qxF -- "$path" <<<"$listing" || fail "the package lacks $path"
done
for program in "${programs[@]}"; do
  grep -qxF -- "./usr/bin/$program -> ../lib/fmlab/$program" <<<"$listing" ||
    fail "/usr/bin/$program is not a link to the program"
done

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6svg6 qt6-translations-l10n; do
  grep -q "\b$package\b" <<<"$depends" || fail "Depends lacks $package: $depends"
done

lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 &&
  ! grep -qE '^[EW]:' "$work/lintian.log" || fail "lintian: $(cat "$work/lintian.log")"

dpkg-deb -x "$deb" "$work/root"
# The lab and the teacher's journal, each in the Education section under its own name.
for pair in "$id|Исследование модуляционной характеристики|fmlab" \
            "ru.fmlab.journal|Журнал преподавателя: модуляционная характеристика|fmlab-journal %F"; do
  IFS='|' read -r name title command <<<"$pair"
  entry="$work/root/usr/share/applications/$name.desktop"
  said=$(desktop-file-validate "$entry" 2>&1) && [ -z "$said" ] || fail "the entry $name: $said"
  grep -qxF "Name=$title" "$entry" || fail "the entry $name's Name"
  grep -qxF "Exec=$command" "$entry" || fail "the entry $name's Exec"
  grep -qxE 'Categories=Education;([A-Za-z]+;)*' "$entry" || fail "the entry $name's Categories"
done
metainfo="$work/root/usr/share/metainfo/$id.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 ||
  fail "appstream: $(cat "$work/appstream.log")"
for name in $id ru.fmlab.journal; do
  grep -qF "<launchable type=\"desktop-id\">$name.desktop</launchable>" "$metainfo" ||
    fail "the AppStream entry does not name the menu entry $name"
done
for program in "${programs[@]}"; do
  grep -qF "<binary>$program</binary>" "$metainfo" || fail "the AppStream entry does not name $program"
done
head -1 "$work/root/usr/share/doc/fmlab/copyright" |
  grep -qxF 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not machine-readable"

# Manual pages compressed as Debian has them (gzip -9n: no name, no time) and read by man with
# no complaint; each names its command.
for page in "${manuals[@]}"; do
  file="$work/root/$page"
  [ "$(od -An -tx1 -j3 -N5 "$file" | tr -d ' \n')" = 0000000000 ] || fail "$page keeps a name or time"
  command=$(basename "$page" .1.gz)
  shown=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$file" 2>"$work/man.log") &&
    [ ! -s "$work/man.log" ] && grep -qE "^ *$command +- " <<<"$shown" ||
    fail "man -l $page: $(cat "$work/man.log")"
done

# Help and version are printed with no display and no window, and say what they should.
for program in "${programs[@]}"; do
  quiet=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/root/usr/bin/$program")
  [ "$("${quiet[@]}" --version 2>&1)" = "$program $(dpkg-deb -f "$deb" Version | cut -d- -f1)" ] ||
    fail "$program --version"
  help=$("${quiet[@]}" --help 2>&1) && grep -q "^Usage: $program " <<<"$help" ||
    fail "$program --help: $help"
done

# The teacher's PDF made by the installed tool with no display: a record of zeros has blank
# fields (exit 1) and gets its page.
head -c 554 /dev/zero >"$work/Result7_0.res"
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/root/usr/bin/fmlab-results" \
  --pdf "$work/class.pdf" "$work/Result7_0.res" >/dev/null 2>&1 || status=$?
[ "$status" = 1 ] && pdfinfo "$work/class.pdf" | grep -qx 'Pages: *1' || fail "the installed --pdf ($status)"

# Started through the link on the PATH, from another folder, it must find its pictures beside
# the program file: the title screen reads two of them, and the system calls tell which files
# the program opened and whether they were there. It must still be running once it has.
read_picture() {
  grep -E "\"$work/root/usr/lib/fmlab/$1\", O_RDONLY[^)]*\) = [0-9]+$" "$work/trace" 2>/dev/null
}
(cd "$work" && QT_QPA_PLATFORM=offscreen exec strace -f -qq -e trace=openat -o "$work/trace" \
   timeout 60 "$work/root/usr/bin/fmlab") >"$work/run.log" 2>&1 &
for _ in $(seq 120); do
  read_picture Logo1.svg >/dev/null || { sleep 0.5; continue; }
  # The line starts with the id of the program's process, which reads its pictures itself.
  program=$(read_picture Logo1.svg | head -1 | cut -d' ' -f1)
  kill "$program" 2>/dev/null || fail "the program ended by itself: $(cat "$work/run.log")"
  break
done
wait
for picture in Demo.svg Logo1.svg; do
  read_picture "$picture" >/dev/null || fail "the program did not read $picture from beside itself"
done

[ "$failures" -eq 0 ] || { echo "$failures failed" >&2; exit 1; }
echo "package: all checks passed"
