#!/usr/bin/env bash
# The program as a screen reader finds it on a real desktop (X display, accessibility bus):
# driven by keys only (xdotool key) from the title screen through the mounting table to the
# bench, each screen's tree read over AT-SPI: the controls are named and the spectrum analyzer
# says its lines.
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
keys() { sleep 0.3; xdotool key --delay 30 "$@"; }

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
# Each instrument from the palette (Space) to the table's point, moved by the arrows from where
# it stands (150, 100 at first, 10 pixels a press) and put down with Enter; then each plug's menu
# (Enter): the instruments in their order, then the modulator's input and output.
table=Монтажный
point=(150 100)
names=("" "Генератор стандартных сигналов" Милливольтметр "Низкочастотный осциллограф"
       Спектроанализатор "Высокочастотный осциллограф")
spots=("" "120 60" "120 150" "250 210" "560 60" "610 180")
assembly="Монтаж схемы для исследования характеристик частотного модулятора"
for i in 1 2 3 4 5; do
  read -r x y <<<"${spots[$i]}"
  arrows=()
  for ((n = point[0]; n < x; n += 10)); do arrows+=(Right); done
  for ((n = point[0]; n > x; n -= 10)); do arrows+=(Left); done
  for ((n = point[1]; n < y; n += 10)); do arrows+=(Down); done
  for ((n = point[1]; n > y; n -= 10)); do arrows+=(Up); done
  point=("$x" "$y")
  read_tree backtab "$assembly" "${names[$i]}" space   # the palette stands before the table
  read_tree tab "$assembly" "$table" "${arrows[@]}" Return
done
for k in 1 2 3 4 5; do
  [ "$k" -le 3 ] && to=(6 "$k") || to=(7 "$k")   # (modulator's side, instrument) in the menu
  for p in 1 2; do
    [ $(( (p == 1) == (k <= 3) )) -eq 1 ] && downs=${to[1]} || downs=${to[0]}
    read_tree tab "$assembly" "Кабель $k, разъём $p: свободен" Return
    keys $(printf 'Down %.0s' $(seq "$downs")) Return   # in the menu, once it is open
  done
done
read_tree has "$assembly" "Кабель 5, разъём 2: подключён к высокочастотному осциллографу"
read_tree tab "$assembly" "Монтаж окончен" Return
read_tree has "Исследование модуляционной характеристики" "Монтаж сделан правильно"
keys Return                         # "Продолжить работу?": Да
read_tree has "Измерение модуляционной характеристики" "Амплитуда генератора" \
  "Частота генератора, кГц" "Показание милливольтметра" "Сеть НЧ осциллографа" \
  "Сеть ВЧ осциллографа" "Сеть спектроанализатора" "Экран спектроанализатора" "Прибор выключен"
# The analyzer on (its switch, Space), the amplitude to 2.4, the carrier's first null (PageUp
# twice, Right four times).
bench="Измерение модуляционной характеристики"
read_tree tab "$bench" "Сеть спектроанализатора" space
read_tree tab "$bench" "Амплитуда генератора" Page_Up Page_Up Right Right Right Right
read_tree has "Измерение модуляционной характеристики" "Несущая: 0"
[ "$print" = --print ] && read_tree dump "Измерение модуляционной характеристики"
echo "the bench is read: names, switches, the spectrum at the carrier's null"
