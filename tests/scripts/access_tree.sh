#!/usr/bin/env bash
# The program as a screen reader finds it on a real desktop (X display, accessibility bus):
# driven by keys only (xdotool key) from the title screen to the bench, each screen's tree read
# over AT-SPI: the controls are named and the spectrum analyzer says its lines.
#   access_tree.sh PATH_TO_FMLAB [--print]   (--print: the bench's tree on stdout)
set -euo pipefail
program=$1 print=${2:-}
if [ "${3:-}" != --on-display ]; then
  exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$program" "${print:--}" \
    --on-display
fi
here=$(cd "$(dirname "$0")" && pwd)
read_tree() { /usr/bin/python3 "$here/access_tree.py" "$@"; }
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
# A copy of the program and its pictures: the results file is written beside it.
workdir=$(mktemp -d)
find "$(dirname "$program")" -maxdepth 1 \( -name "*.svg" -o -iname "*.ico" \) -exec cp {} "$workdir" \;
cp "$program" "$workdir"/
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$workdir/fmlab" >"$workdir/log" 2>&1 &
pid=$!
trap 'kill $pid $bus 2>/dev/null || true; rm -rf "$workdir"' EXIT
keys() { sleep 0.3; xdotool key --delay 60 "$@"; }

read_tree has "Аналоговые системы связи" "Важная информация" "Дальше" "Выход"
# Alt alone marks the menu bar's first item, "Выход"; Enter asks the exit question, which is read
# with its text; "Нет" (Tab, Space) leaves everything as it was. F10 does the same.
for menu_key in alt F10; do
  keys "$menu_key" Return
  read_tree has "Вопрос" "Вы хотите окончить работу с программой?" "Да" "Нет"
  keys Tab space
  # No window manager here gives the focus back to the window under a closed box.
  xdotool search --name "^Аналоговые системы связи$" windowfocus --sync
done
keys space                          # "Важная информация": the notes on the reading
read_tree wait "Информация"
keys Return Tab space               # the box closed, "Дальше"
read_tree has "Ввод личных данных" "Фамилия" "E-mail" "Ввод подтверждается клавишей Enter"
for field in Иванов Пётр Сергеевич РТ-21 123456 ivanov@example.org; do
  sleep 0.2; xdotool type --delay 60 "$field"; keys Return
done
keys Tab space                      # "Дальше..."
read_tree has "Монтаж схемы для исследования характеристик частотного модулятора" "Монтаж схемы"
assemble_by_keys() { return 1; }    # replaced at merge by the mounting table's keys
if ! assemble_by_keys; then
  echo "the mounting table takes no keys yet: the road stops at the assembly" >&2
  exit 77
fi
read_tree has "Измерение модуляционной характеристики" "Амплитуда генератора" \
  "Частота генератора, кГц" "Показание милливольтметра" "Сеть НЧ осциллографа" \
  "Сеть ВЧ осциллографа" "Сеть спектроанализатора" "Экран спектроанализатора" "Прибор выключен"
# The analyzer on, the amplitude to 2.4 (the carrier's first null): Tab to its switch, Space,
# Tab round to the amplitude, PageUp twice and Right four times.
keys Tab Tab Tab Tab space Tab Tab Tab Page_Up Page_Up Right Right Right Right
read_tree has "Измерение модуляционной характеристики" "Несущая: 0"
[ "$print" = --print ] && read_tree dump "Измерение модуляционной характеристики"
echo "the bench is read: names, switches, the spectrum at the carrier's null"
