#!/usr/bin/env bash
# The titles as the window system shows them (what xdotool reads, not what windowTitle() says):
# the title screen's caption and the exit question's three blanks stand alone, with nothing
# appended. The program is started with options Qt would act on (-title names the first window),
# which it must ignore.
#   window_titles.sh PATH_TO_FMLAB
set -euo pipefail
program=$1
if [ "${2:-}" != --on-display ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$program" --on-display
fi
export QT_QPA_PLATFORM=xcb
workdir=$(mktemp -d)
"$program" -title "Чужой заголовок" -reverse >"$workdir/log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true; rm -rf "$workdir"' EXIT

. "$(dirname "$0")/windows.sh"

title=$(window_named "Аналоговые системы связи")
# The menu bar's first item, "Выход", asks the exit question.
eval "$(xdotool getwindowgeometry --shell "$title")"
xdotool mousemove $((X + 20)) $((Y + 10)) click 1
window_named "   " >/dev/null
echo "titles as shown: 'Аналоговые системы связи', '   '"
