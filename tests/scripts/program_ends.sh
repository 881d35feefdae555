#!/usr/bin/env bash
# The real program under a window manager (openbox, which frames the windows): the title screen
# is centred with its frame; after title → "Литература" → the title's close box → "ОК" on the
# literature screen no window is left, and the process ends.
#   program_ends.sh PATH_TO_FMLAB
set -euo pipefail
program=$1
if [ "${2:-}" != --on-display ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$program" --on-display
fi
export QT_QPA_PLATFORM=xcb
workdir=$(mktemp -d)
openbox --startup "touch $workdir/wm-ready" >"$workdir/wm.log" 2>&1 &
wm=$!
trap 'kill $wm ${pid:-} 2>/dev/null || true; rm -rf "$workdir"' EXIT
for _ in $(seq 100); do [ -e "$workdir/wm-ready" ] && break; sleep 0.1; done
"$program" >"$workdir/log" 2>&1 &
pid=$!

. "$(dirname "$0")/windows.sh"

title=$(window_named "Аналоговые системы связи")
# Where the window system has a window (xwininfo: xdotool counts the frame in twice), and the
# extents of its frame (left, right, top, bottom).
where() {
  local info; info=$(xwininfo -id "$1")
  field() { echo "$info" | sed -n "s/^ *$1: *//p"; }
  X=$(field "Absolute upper-left X") Y=$(field "Absolute upper-left Y")
  WIDTH=$(field Width) HEIGHT=$(field Height)
  read -r left right top bottom < <(xprop -id "$1" _NET_FRAME_EXTENTS | tr -dc '0-9 ,\n' | tr ',' ' ')
}
# The title screen is centred with its frame once the window manager has framed it.
centred() { [ $(($1 - $2)) -ge -1 ] && [ $(($1 - $2)) -le 1 ]; }
for _ in $(seq 50); do
  where "$title"
  above=$((Y - top)) below=$((1024 - (Y + HEIGHT + bottom)))
  before=$((X - left)) after=$((1280 - (X + WIDTH + right)))
  centred $above $below && centred $before $after && break
  sleep 0.1
done
echo "the title screen's frame: ${above} above, ${below} below, ${before} left, ${after} right"
centred $above $below && centred $before $after || { echo "not centred" >&2; exit 1; }

# The menu bar: "Выход", then "Литература".
xdotool mousemove $((X + 80)) $((Y + 10)) click 1
literature=$(window_named "Литература")
# The close box at the right end of the title screen's title bar, once a click on the bar has
# raised it above the literature screen.
where "$title"
xdotool mousemove $((X + WIDTH / 2)) $((Y - top / 2)) click 1 sleep 0.3
xdotool mousemove $((X + WIDTH + right - 10)) $((Y - top / 2)) click 1
shown() { xwininfo -id "$1" 2>/dev/null | grep -q IsViewable; }
for _ in $(seq 50); do shown "$title" || break; sleep 0.1; done
! shown "$title" || { echo "the title screen's close box did not close it" >&2; exit 1; }
kill -0 "$pid" || { echo "the program ended with the title screen, the literature still open" >&2; exit 1; }
where "$literature"
xdotool mousemove $((X + 395)) $((Y + 292)) click 1  # "ОК"
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || { echo "the program ended"; exit 0; }; sleep 0.1; done
echo "the program runs on with no window left" >&2
exit 1
