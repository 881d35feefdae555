#!/usr/bin/env bash
# The teacher's journal on a real desktop (openbox on a virtual X display, the accessibility
# bus): started on a class folder, its window is framed under its own title; its table, read as a
# screen reader reads it, holds the students (a surname with terminal escapes shown escaped); a
# file saved into the folder shows up in it; Ctrl+Q ends the program.
#   journal_window.sh PATH_TO_FMLAB_JOURNAL
set -euo pipefail
program=$1
if [ "${2:-}" != --on-display ]; then
  exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$program" --on-display
fi
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 XDG_CONFIG_HOME
workdir=$(mktemp -d)
XDG_CONFIG_HOME=$workdir/config  # the remembered folders go here
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
openbox --startup "touch $workdir/wm-ready" >"$workdir/wm.log" 2>&1 &
wm=$!
trap 'kill $wm $bus ${pid:-} 2>/dev/null || true; rm -rf "$workdir"' EXIT
for _ in $(seq 100); do [ -e "$workdir/wm-ready" ] && break; sleep 0.1; done

# FILE SURNAME CARD: a results file with the surname, "Иван" and the card; blanks and zeros else.
student() {
  python3 -c 'import sys
path, surname, card = sys.argv[1:]
texts = [(surname, 20), ("Иван", 20), ("", 20), ("РС-31", 10), (card, 20)]
data = b"".join(t.encode("cp1251").ljust(n, b" ") for t, n in texts)
open(path, "wb").write(data.ljust(554, b"\0"))' "$@"
}
# The names of everything in the window titled $1, a line each, as AT-SPI gives them.
names() {
  /usr/bin/python3 -c 'import sys, pyatspi
def walk(node):
    yield node.name
    for child in node:
        if child is not None: yield from walk(child)
for app in pyatspi.Registry.getDesktop(0):
    for frame in app or []:
        if frame is not None and frame.name == sys.argv[1]: print("\n".join(walk(frame)))' "$1"
}
# Waits (10 s) until the window holds a control named $2.
holds() {
  for _ in $(seq 50); do names "$1" | grep -xF -- "$2" >/dev/null && return 0; sleep 0.2; done
  echo "the journal shows no '$2'; it holds:" >&2; names "$1" | sort -u | head -40 >&2
  exit 1
}

mkdir "$workdir/class"
student "$workdir/class/Result7_1.res" Иванов 1
student "$workdir/class/Result7_2.res" "$(printf 'Пе\033]0;x\007тров')" 2
"$program" "$workdir/class" >"$workdir/log" 2>&1 &
pid=$!
. "$(dirname "$0")/windows.sh"

title="Журнал преподавателя — class"
journal=$(window_named "$title")
xprop -id "$journal" _NET_FRAME_EXTENTS | grep -qE '= [1-9]' ||
  { echo "the window manager did not frame the journal" >&2; exit 1; }
for name in "Студенты" "Страница студента" "Иванов И." 'Пе\x1B]0;x\x07тров И.'; do
  holds "$title" "$name"
done
student "$workdir/class/Result7_3.res" Сидоров 3
holds "$title" "Сидоров И."
echo "the journal shows the class, the crafted surname escaped, and the file that arrived"

xdotool windowactivate --sync "$journal" key --clearmodifiers ctrl+q
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || { echo "Ctrl+Q ended the journal"; exit 0; }; sleep 0.1; done
echo "the journal runs on after Ctrl+Q" >&2
exit 1
