#!/usr/bin/python3
"""What Debian's screen reader says while the lab is worked by keys alone.
  orca_speech.py PATH_TO_FMLAB [--transcript FILE] [--record]
  (--transcript: what was said at each moment; --record: a mismatch is shown, not fatal)

Inside one D-Bus session on a virtual display with openbox: the accessibility bus,
speech-dispatcher with espeak-ng into an ALSA null sink, Orca 43 with its debug log on a
pseudo-terminal (it buffers a plain file), then the program, driven by xdotool keys from the
title screen to the band calculation. At each moment the lines Orca speaks ("SPEECH OUTPUT") are
checked one by one: every line that is expected and no other, and nothing that cuts them off.
If Orca does not start, the test fails."""
import os
import pty
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import tty

program = os.path.abspath(sys.argv[1])
transcript = sys.argv[sys.argv.index("--transcript") + 1] if "--transcript" in sys.argv else None
recording = "--record" in sys.argv
if "--on-display" not in sys.argv:
    # A Russian desktop, whatever the caller's: Orca speaks its language, the lab writes its
    # numbers with a comma.
    os.environ.update(LANG="ru_RU.UTF-8", LC_ALL="ru_RU.UTF-8")
    os.environ.pop("LANGUAGE", None)
    os.execvp("dbus-run-session", ["dbus-run-session", "--", "xvfb-run", "-a", "-s",
                                   "-screen 0 1280x1024x24", sys.executable, __file__,
                                   *sys.argv[1:], "--on-display"])

WAIT = 15      # seconds for what is expected to be said (a loaded machine)
SETTLE = 0.08  # quiet after the last expected line: anything later is checked with the next step


class Orca:
    """Orca's debug log, read from the pseudo-terminal: what it said and when it stopped."""
    # A record begins with a time, a keyboard event or a bracket line; speech may span lines.
    RECORD = re.compile(r"^(\d\d:\d\d:\d\d\.\d+ - |KEYBOARD_EVENT:|vvvvv |\^\^\^\^\^ )")
    SAID = re.compile(r"SPEECH OUTPUT: '(.*?)'\s*(\[?\{.*)?$", re.S)

    def __init__(self, log_path):
        self.events, self.seen = [], 0
        self.changed = threading.Condition()
        master, self.slave = pty.openpty()
        tty.setraw(self.slave)
        self.path = os.ttyname(self.slave)
        self.log = open(log_path, "wb")
        threading.Thread(target=self._read, args=(master,), daemon=True).start()

    def _read(self, master):
        pending, record = b"", []
        while True:
            try:
                data = os.read(master, 65536)
            except OSError:
                return
            self.log.write(data)
            *lines, pending = (pending + data).split(b"\n")
            for raw in lines:
                line = raw.decode("utf-8", "replace")
                if self.RECORD.match(line) and record:
                    self._take("\n".join(record))
                    record = []
                record.append(line)  # taken when the next one begins: Orca logs on at once

    def _take(self, record):
        event = None
        said = self.SAID.search(record)
        if said and record.split(" - ", 1)[-1].startswith("SPEECH OUTPUT"):
            event = ("said", " ".join(said.group(1).split()))
        elif "DEFAULT: Interrupting presentation" in record:
            event = ("cut", "")
        elif "type=ATSPI_KEY_PRESSED_EVENT" in record:
            event = ("key", "")
        if event:
            with self.changed:
                self.events.append(event)
                self.changed.notify_all()

    def said(self, start):
        return [text for kind, text in self.events[start:] if kind == "said"]

    def wait(self, test, timeout):
        with self.changed:
            return self.changed.wait_for(lambda: test(self.events), timeout)


def fail(message, fatal=True):
    print("FAIL: " + message, file=sys.stderr)
    if fatal and not recording:
        sys.exit(1)


def start_desk(work):
    home = os.path.join(work, "home")
    os.makedirs(home + "/run", mode=0o700)
    os.makedirs(home + "/.config/speech-dispatcher")
    os.makedirs(home + "/orca")
    os.environ.update(HOME=home, XDG_RUNTIME_DIR=home + "/run", XDG_CONFIG_HOME=home + "/.config",
                      XDG_CACHE_HOME=home + "/.cache", XDG_DATA_HOME=home + "/.local/share")
    with open(home + "/.asoundrc", "w") as f:
        f.write("pcm.!default { type null }\n")
    with open(home + "/.config/speech-dispatcher/speechd.conf", "w") as f:
        f.write('AudioOutputMethod "alsa"\nAddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                "DefaultModule espeak-ng\n")
    # Braille and key echo off: the test listens to what the program makes Orca say.
    with open(home + "/orca/user-settings.conf", "w") as f:
        f.write('{"general": {"enableBraille": false, "enableKeyEcho": false}, "pronunciations": {},'
                ' "keybindings": {}, "profiles": {"default": {"profile": ["Default", "default"]}}}')
    quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    started = [subprocess.Popen(["speech-dispatcher", "-s", "-t", "0"], **quiet),
               subprocess.Popen(["openbox"], **quiet)]
    subprocess.run(["gsettings", "set", "org.gnome.desktop.interface", "toolkit-accessibility",
                    "true"], check=True, stderr=subprocess.DEVNULL)
    started.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                    **quiet))
    orca = Orca(os.path.join(work, "orca.log"))
    started.append(subprocess.Popen(["orca", "--user-prefs=" + home + "/orca",
                                     "--debug-file=" + orca.path], **quiet))
    if not orca.wait(lambda events: events, 60):
        fail("Orca did not start: it said nothing in 60 s (log: %s)" % os.path.join(work, "orca.log"))
    return started, orca


T0 = time.time()
work = tempfile.mkdtemp(prefix="orca-speech-")
started, orca = start_desk(work)
lab_dir = os.path.join(work, "lab")
os.mkdir(lab_dir)
for name in os.listdir(os.path.dirname(program)):
    if name.lower().endswith((".svg", ".ico")):
        shutil.copy(os.path.join(os.path.dirname(program), name), lab_dir)
shutil.copy(program, lab_dir)
orca.seen = len(orca.events)
lab = subprocess.Popen([os.path.join(lab_dir, "fmlab")], cwd=lab_dir, start_new_session=True,
                       stdout=open(os.path.join(work, "lab.log"), "w"), stderr=subprocess.STDOUT,
                       env=dict(os.environ, QT_QPA_PLATFORM="xcb",
                                QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))


def stop():
    for process in [lab] + started[::-1]:
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass


heard = []


def keys(*names, delay=40):
    if names:
        subprocess.run(["xdotool", "key", "--delay", str(delay), *names], check=True)


def typed(text):
    subprocess.run(["xdotool", "type", "--delay", "25", text], check=True)


def matches(expected, line):
    if expected.startswith("?"):
        expected = expected[1:]
    if expected.endswith("…"):
        return line.startswith(expected[:-1])
    if expected.startswith("~"):
        return re.fullmatch(expected[1:], line) is not None
    return line == expected


def fits(expected, got):
    """Whether the lines are the expected ones in order; a line marked "?" may be missing."""
    if not expected:
        return not got
    if expected[0].startswith("?") and fits(expected[1:], got):
        return True
    return bool(got) and matches(expected[0], got[0]) and fits(expected[1:], got[1:])


def say(moment, press, *expected):
    """Presses the keys (or types text: press is a str) and checks what Orca says, line by line."""
    leftover = orca.said(orca.seen)
    if leftover:
        fail("after '%s' Orca went on: %s" % (heard[-1][0] if heard else "start", leftover))
        heard.append(("(went on)", leftover))
    start = len(orca.events)
    typed(press) if isinstance(press, str) else keys(*press)
    needed = len([line for line in expected if not line.startswith("?")])
    orca.wait(lambda events: len([e for e in events[start:] if e[0] == "said"]) >= needed, WAIT)
    time.sleep(SETTLE)
    got = orca.said(start)
    heard.append((moment, got))
    if os.environ.get("ORCA_SPEECH_TIMES"):
        print("%6.2f %s" % (time.time() - T0, moment), file=sys.stderr)
    orca.seen = len(orca.events)
    if not fits(expected, got):
        fail("%s: Orca said\n  %s\nexpected\n  %s" % (moment, "\n  ".join(got),
                                                      "\n  ".join(expected)))
    # Nothing cut short what was said: once Orca began to speak after the last key, no
    # interruption (a key press, a window closed) came before the step was over.
    events = orca.events[start:]
    last_key = max([i for i, e in enumerate(events) if e[0] == "key"], default=-1)
    spoken = [i for i, e in enumerate(events) if e[0] == "said" and i > last_key]
    if spoken and ("cut", "") in events[spoken[0]:]:
        fail("%s: the speech was cut off: %s" % (moment, events))


def quiet(settle=SETTLE):
    """Lets Orca finish what it is saying (not checked)."""
    while orca.wait(lambda events, n=len(orca.events): len(events) > n, settle):
        pass
    orca.seen = len(orca.events)


def seek(prefix, key="Tab", limit=40):
    """Presses the key, one press at a time as a student listens, until Orca names a control
    that starts with prefix. (Keys sent in a burst reach Qt out of step with Orca's answers.)"""
    start = len(orca.events)
    for _ in range(limit):
        before = len(orca.events)
        keys(key)
        orca.wait(lambda events: any(e[0] == "said" for e in events[before:]), WAIT)
        quiet(0.06)  # all of it: a control's name may follow its panel's
        if any(line.startswith(prefix) for line in orca.said(start)):
            return
    fail("%s does not reach '%s': %s" % (key, prefix, orca.said(start)))


def enter(text):
    """Types text into the focused box; what Orca echoes of the typing is not checked."""
    typed(text)
    quiet()


def move(*arrows):
    """Keys Orca says nothing for (the table's point): their effect is checked by the next step."""
    keys(*arrows, delay=15)
    time.sleep(SETTLE)


def review_until(line, top=False, limit=30):
    """Orca's flat review, line by line (KP_Page_Up) until it reads the line."""
    first = len(orca.events)
    for i in range(limit):
        start = len(orca.events)
        keys("Insert+KP_Home" if top and i == 0 else "KP_Page_Up")
        orca.wait(lambda events: any(e[0] == "said" for e in events[start:]), 1.5)
        time.sleep(0.05)
        orca.seen = len(orca.events)
        if any(matches(line, said) for said in orca.said(start)):
            heard.append(("review", [line]))
            return
    fail("the review does not reach '%s': %s" % (line, orca.said(first)))


def review(*lines):
    """Enters flat review, finds each line in order from the top, and leaves it."""
    seek("Войти в режим общего осмотра", "KP_Subtract")
    for i, line in enumerate(lines):
        review_until(line, top=i == 0)
    say("flat review off", ["KP_Subtract"], "Выйти из режима общего осмотра.")


FRAME = "Монтаж схемы для исследования характеристик частотного модулятора"
BENCH = "Измерение модуляционной характеристики"
ANSWER = "Ответ: «Да» или «Нет», Tab и пробел или Enter."
ENTER = "Ввод подтверждается клавишей Enter."
TITLE = ["Аналоговые системы связи рамка.", "Важная информация нажимаемая кнопка.",
         "Прочитайте её: после этого откроется кнопка «Дальше»."]
MV = r"(ноль|\d+(,\d)?) мВ"
MENU = ["Генератор стандартных сигналов", "Милливольтметр", "Низкочастотный осциллограф",
        "Спектроанализатор", "Высокочастотный осциллограф", "Вход модулятора", "Выход модулятора"]  # the reading depends on the lab's random variant


def active(title):
    """Waits until the window manager has given the titled window the keyboard."""
    for _ in range(int(WAIT / 0.1)):
        shown = subprocess.run(["xdotool", "getactivewindow", "getwindowname"], text=True,
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL).stdout
        if shown.strip() == title:
            return
        time.sleep(0.1)
    fail("the window '%s' does not get the keyboard" % title)


def road():
    say("the title screen", [], *TITLE)
    active("Аналоговые системы связи")
    for menu_key in ("alt", "F10"):  # the menu bar's first item asks the exit question
        say("%s, Enter: the exit question" % menu_key, [menu_key, "Return"], "Выход.",
            "?" + TITLE[1], "?" + TITLE[2], "тревога Вопрос.",
            "Вы хотите окончить работу с программой?", ANSWER, "Да нажимаемая кнопка.")
        say("Tab", ["Tab"], "Нет нажимаемая кнопка.")
        say("Space: «Нет»", ["space"], *TITLE)
    say("«Важная информация»", ["space"], "тревога Информация.",
        "Перед выполнением работы необходимо изучить следующие материалы: 1. Раздел 4.1…",
        "ОК нажимаемая кнопка.")
    say("the box closed", ["Return"], *TITLE, "Кнопка «Дальше» открыта.")
    say("Tab", ["Tab"], "Дальше нажимаемая кнопка.")
    say("«Дальше»", ["space"], "Ввод личных данных рамка.", "Фамилия текст.", ENTER)
    say("«*» in the surname", "*", "Символ не принят: в этом поле он недопустим.")
    boxes = ["Имя", "Отчество", "Номер группы", "Номер студ. билета", "E-mail", None]
    for text, following in zip(["Иванов", "Пётр", "Сергеевич", "РТ-21", "123456",
                                "ivanov@example.org"], boxes):
        enter(text)
        say("Enter after «%s»" % text, ["Return"], "Принято.",
            *(["%s текст." % following, ENTER] if following else []))
    seek("Дальше...")
    say("«Дальше...»: the assembly", ["space"], FRAME + " рамка.", "панель с уровнями",
        "Порядок работы нажимаемая кнопка.",
        "Enter или пробел — показать порядок работы.")

    # Each instrument from the palette to the table's point, moved there by the arrows (10 pixels
    # a press, from 150, 100) and put down with Enter.
    point = (150, 100)
    seek(MENU[0], "shift+Tab")  # from "Порядок работы"
    for i, (name, (x, y), where) in enumerate([
            (MENU[0], (120, 60), "слева вверху"), (MENU[1], (120, 150), "слева посередине"),
            (MENU[2], (250, 210), "слева внизу"), (MENU[3], (560, 60), "вверху посередине"),
            (MENU[4], (610, 180), "в центре")], 1):
        if i > 1:
            seek(name, "shift+Tab")
        say("the palette's %s" % name, ["space"], "выбрано")
        seek("Монтажный стол")
        dx, dy = (x - point[0]) // 10, (y - point[1]) // 10
        point = (x, y)
        move(*["Right"] * dx + ["Left"] * -dx + ["Down"] * dy + ["Up"] * -dy)
        say("Enter on the table", ["Return"], "%s поставлен на стол %s." % (name, where))
    # Each plug's menu: the instruments in the order placed, then the modulator's input, output.
    targets = ["", "генератору стандартных сигналов", "милливольтметру",
               "низкочастотному осциллографу", "спектроанализатору", "высокочастотному осциллографу"]
    for k in range(1, 6):
        for p in (1, 2):
            instrument_side = (p == 1) == (k <= 3)
            item = k if instrument_side else (6 if k <= 3 else 7)
            target = targets[k] if instrument_side else (
                "входу модулятора" if k <= 3 else "выходу модулятора")
            plug = "Кабель %d, разъём %d" % (k, p)
            seek(plug + ": свободен")
            say("Enter on the plug: its menu", ["Return"],
                "Меню: куда подключить кабель %d, разъём %d." % (k, p),
                "Генератор стандартных сигналов.")
            if item > 1:  # Up from the first item goes round to the last ones
                seek(MENU[item - 1], "Down" if item <= 5 or k > 3 and p == 2 else "Up")
            say("Enter in the menu", ["Return"],
                "%s: подключён к %s нажимаемая кнопка." % (plug, target),
                "Enter, пробел или клавиша меню — выбрать, куда подключить разъём, или вынуть его.")
    seek("Монтаж окончен")
    say("«Монтаж окончен»", ["Return"], "тревога Исследование модуляционной характеристики.",
        "Монтаж сделан правильно. Продолжить работу?", ANSWER, "Да нажимаемая кнопка.")
    keys_hint = ("Стрелки влево и вправо: шаг 10; PageUp и PageDown: шаг 100; Home и End: "
                 "пределы.")
    say("«Да»: the bench", ["Return"], BENCH + " рамка.", "Генератор панель.",
        "Амплитуда генератора полоса прокрутки 0.",
        "Показание милливольтметра: ноль мВ. " + keys_hint)
    # The review covers every panel, not only the one with the focus.
    review("ГЕНЕРАТОР ВЧ ОСЦИЛЛОГРАФ", "МИЛЛИВОЛЬТМЕТР", "Показание милливольтметра мВ ВХ")
    say("Right on the amplitude", ["Right"], "10", "~%s." % MV)
    say("Right", ["Right"], "20", "~%s." % MV)
    seek("Сеть спектроанализатора")
    say("Space: the analyzer on", ["space"], "отмечено")
    seek("Амплитуда генератора", "shift+Tab")
    # The analyzer's lines in divisions of 0.2: |J0|, |J1|, |J2| of mf = value / 100 (tables).
    for key, value, carrier, first, second in [("Page_Up", 120, "3,4", "2,5", "0,8"),
                                               ("Page_Up", 220, "0,6", "2,8", "2,0"),
                                               ("Right", 230, "0,3", "2,7", "2,1"),
                                               ("Right", 240, "0,0", "2,6", "2,2")]:
        say("%s on the amplitude" % key, [key], str(value),
            "~%s; несущая %s; 1-я пара %s; 2-я пара %s." % (MV, carrier, first, second))
    seek("Частота генератора, кГц")
    say("Left on the frequency", ["Left"], "540",
        "~%s; несущая 0,0; 1-я пара 2,6; 2-я пара 2,2." % MV)
    # The three stages, each a message read once; then "Дальше..." opens.
    texts = ["Этап 1. Наблюдение осциллограмм…", "Этап 2. Наблюдение спектрограммы…",
             "Этап 3. Измерение модуляционной характеристики…"]
    for stage, text in enumerate(texts, 1):
        seek("Выход", "F10")
        seek("Порядок работы", "Right")
        seek("Этап %d" % stage, "Down")
        say("stage %d" % stage, ["Return"], "тревога Этап %d." % stage, text,
            "ОК нажимаемая кнопка.")
        say("the box closed", ["Return"], BENCH + " рамка.", "Генератор панель.",
            "Частота генератора, кГц полоса прокрутки 540.",
            "~Показание милливольтметра: %s. Спектр: Несущая: 0,0 дел.; .*" % MV)
    seek("Дальше...")
    say("«Дальше...»: the characteristic", ["space"],
        "Построение модуляционной характеристики рамка.",
        "Таблица исходных и расчетных данных панель.",
        "Показание милливольтметра, мВ, строка 1 текст.",
        "Ввод подтверждается клавишей Enter или стрелкой вниз.")
    say("a letter in a reading", "x", "Символ не принят: в этом поле он недопустим.")
    enter("10")
    say("Enter after row 1", ["Return"], "Принято.", "Показание милливольтметра, мВ, строка 2 текст.",
        "Ввод подтверждается клавишей Enter или стрелкой вниз.",
        "Строка 1: U вх 14,1 мВ; Δf 1,2 МГц; S 85,39 МГц/В.")
    # Row 2 opened later: the review reads it, with no name where a cell is empty.
    review("1 10 14,1 1,2 2.408 85,39", "2 Показание милливольтметра, мВ, строка 2 3.832")
    seek("Дальше...")
    say("«Дальше...»", ["space"], "тревога Информация.", "Для дальнейшей работы необходимо…",
        ANSWER, "Да нажимаемая кнопка.")
    say("Tab", ["Tab"], "Нет нажимаемая кнопка.")
    say("«Нет»", ["space"], "тревога Информация.", "Пойдем дальше?", ANSWER,
        "Да нажимаемая кнопка.")
    say("«Да»: the band", ["Return"], "Расчет полосы частот, занимаемой ЧМ сигналом рамка.",
        "Исходные данные панель.", "Исходные данные панель.", "F1, кГц текст.",
        "Нижняя частота группового спектра. " + ENTER)
    for text, following in [("100", ["F2, кГц текст.", "Верхняя частота группового спектра."]),
                            ("2596", ["pk, мкВт текст.", "Средняя мощность в телефонном канале."]),
                            ("32", ["Δfk, кГц текст.", "Девиация частоты в ТЛФ канале."]),
                            ("200", [])]:
        enter(text)
        say("Enter after %s" % text, ["Return"], "Принято.",
            *(following and [following[0], following[1][:-1] + ". " + ENTER]))
    seek("Расчет")
    number = r"\d+(,\d+)?"
    say("«Расчет»", ["space"],
        "~Расчетные данные: Рср = {0} мВт; Δfэфф = {0} МГц; Δfпик = {0} МГц; mf = {0}; "
        "Пчм = {0} МГц.".format(number))
    review("~.*Формула: средняя мощность многоканального сигнала Рср = {0} мВт".format(number),
           "~Формула: полоса частотномодулированного сигнала Пчм = .*")


try:
    road()
finally:
    stop()
    if transcript:
        with open(transcript, "w") as f:
            for moment, lines in heard:
                f.write("## %s\n%s" % (moment, "".join("   %s\n" % line for line in lines)))
print("Orca said what the lab means at every moment (%d checked)" % len(heard))
