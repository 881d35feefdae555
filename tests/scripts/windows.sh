# The program's windows on the X display, for the scripts that start the real program: $pid is
# its process, $workdir/log what it printed.

# The visible window of the program whose name is exactly $1 (waits up to 20 s).
window_named() {
  for _ in $(seq 100); do
    for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
      [ "$(xdotool getwindowname "$w")" = "$1" ] && { echo "$w"; return 0; }
    done
    sleep 0.2
  done
  echo "no window titled '$1'; the program's windows:" >&2
  for w in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
    echo "  '$(xdotool getwindowname "$w")'" >&2
  done
  echo "the program says:" >&2; cat "$workdir/log" >&2
  return 1
}
