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
SETTLE = 0.06  # quiet after the last expected line: anything later is checked with the next step


class Orca:
    """Orca's debug log, read from the pseudo-terminal: what it said and when it stopped."""
    # A record begins with a time, a keyboard event or a bracket line; speech may span lines.
    RECORD = re.compile(r"^(\d\d:\d\d:\d\d\.\d+ - |KEYBOARD_EVENT:|vvvvv |\^\^\^\^\^ )")
    SAID = re.compile(r"SPEECH OUTPUT: '(.*?)'\s*(\[?\{.*)?$", re.S)
    MOVED = re.compile(r"ORCA: Changing locusOfFocus from .* to \[[^|]*\| (.*)\]\. Notify")

    def __init__(self, log_path):
        self.events, self.seen, self.written = [], 0, time.time()
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
            self.written = time.time()
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
        elif self.MOVED.search(record):
            event = ("focus", self.MOVED.search(record).group(1))
        if event:
            with self.changed:
                self.events.append(event)
                self.changed.notify_all()

    def said(self, start):
        return [text for kind, text in self.events[start:] if kind == "said"]

    def wait(self, test, timeout):
        with self.changed:
            return self.changed.wait_for(lambda: test(self.events), timeout)


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    if not recording:
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
    # speech-dispatcher goes into the background: it ends by itself 5 s after its last client.
    started = [subprocess.Popen(["speech-dispatcher", "-s", "-t", "5"], **quiet),
               subprocess.Popen(["openbox"], **quiet)]
    subprocess.run(["gsettings", "set", "org.gnome.desktop.interface", "toolkit-accessibility",
                    "true"], check=True, stderr=subprocess.DEVNULL)
    started.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                    **quiet))
    orca = Orca(os.path.join(work, "orca.log"))
    said = open(os.path.join(work, "orca.out"), "w")
    started.append(subprocess.Popen(["orca", "--user-prefs=" + home + "/orca",
                                     "--debug-file=" + orca.path], stdout=said, stderr=said,
                                    start_new_session=True))
    if not orca.wait(lambda events: events, 60):
        stop(started)
        # (Orca also refuses to start while another Orca of the same user runs.)
        with open(os.path.join(work, "orca.out")) as out:
            sys.exit("FAIL: Orca did not start: it said nothing in 60 s. It wrote: " + out.read())
    return started, orca


def stop(processes):
    for process in processes[::-1]:
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait()  # gone, not a zombie: Orca will not start while another one is listed


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


heard = []
unchecked = False  # keys pressed since the last checked step whose speech is not checked


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


def say(moment, press, *expected, since=None):
    """Presses the keys (or types text: press is a str) and checks what Orca says, line by line
    (since: the keys were pressed already, what Orca said from there on)."""
    global unchecked
    if unchecked and since is None:  # after keys not checked, all they made Orca say
        idle()
        orca.seen = len(orca.events)
    unchecked = False
    leftover = orca.said(orca.seen) if since is None else []
    if leftover:
        fail("after '%s' Orca went on: %s" % (heard[-1][0] if heard else "start", leftover))
        heard.append(("(went on)", leftover))
    start = len(orca.events) if since is None else since
    typed(press) if isinstance(press, str) else keys(*press)
    orca.wait(lambda events: fits(expected, orca.said(start)), WAIT)
    time.sleep(SETTLE)
    got = orca.said(start)
    heard.append((moment, got))
    orca.seen = len(orca.events)
    if not fits(expected, got):
        fail("%s: Orca said\n  %s\nexpected\n  %s" % (moment, "\n  ".join(got),
                                                      "\n  ".join(expected)))
    # Nothing cut short what was said: once Orca began to speak after the last key (or, when a
    # window was activated, from what it said of the window), no interruption (a key press, a
    # window closed) came before the step was over.
    events = orca.events[start:]
    last_key = max([i for i, e in enumerate(events) if e[0] == "key"], default=-1)
    spoken = [i for i, e in enumerate(events) if e[0] == "said" and i > last_key]
    windows = [i for i in spoken if events[i][1].endswith(" рамка.")]
    if spoken and ("cut", "") in events[(windows or spoken)[-1 if windows else 0]:]:
        fail("%s: the speech was cut off: %s" % (moment, events))


def quiet(settle=SETTLE):
    """Lets Orca finish what it is saying (not checked)."""
    global unchecked
    unchecked = True
    while orca.wait(lambda events, n=len(orca.events): len(events) > n, settle):
        pass
    orca.seen = len(orca.events)


def seek(prefix, key="Tab", limit=40):
    """Presses the key, one press at a time as a student listens, until Orca's focus is on a
    control whose name starts with prefix: each press waits for the focus it moves. (Keys sent
    in a burst reach Qt out of step with Orca's answers.)"""
    start = len(orca.events)
    for _ in range(limit):
        before = len(orca.events)
        keys(key)
        orca.wait(lambda events: any(e[0] == "focus" for e in events[before:]), WAIT)
        quiet(0.04)  # and what Orca says of it
        moved = [name for kind, name in orca.events[before:] if kind == "focus"]
        if moved and moved[-1].startswith(prefix):
            return
    fail("%s does not reach '%s': %s" % (key, prefix, orca.said(start)))


def enter(text):
    """Types text into the focused box; what Orca echoes of the typing is not checked."""
    typed(text)
    quiet()


def again(choose, press, *expected):
    """A menu item chosen and taken (or Alt alone pressed): checked as say() does. Qt 6.4 gives
    the program a key only after Orca's answer to it or after 100 ms without one; on a loaded
    machine Enter on a menu item now and then closes the menu with nothing done, and Alt now and
    then takes no menu bar, so the keys are pressed once more (three times at most) when the
    first line does not come."""
    for _ in range(3):
        choose()
        start = len(orca.events)
        keys(*press)
        first = next(line for line in expected if not line.startswith("?"))
        if orca.wait(lambda events: any(e[0] == "said" and matches(first, e[1])
                                        for e in events[start:]), 5):
            return say(" ".join(press), [], *expected, since=start)
        quiet()
    fail("%s: Orca did not say '%s'" % (press, expected))


def hear(press, line):
    """Presses the keys and waits until Orca says the line (what else it says is not checked)."""
    start = len(orca.events)
    keys(*press)
    if not orca.wait(lambda events: any(e[0] == "said" and matches(line, e[1])
                                        for e in events[start:]), WAIT):
        fail("%s: Orca did not say '%s' but %s" % (press, line, orca.said(start)))
    quiet()
    heard.append((" ".join(press), orca.said(start)))


def places(window):
    """Where the window's named controls are on the screen (x, y, width, height), by role and
    name, over AT-SPI."""
    import pyatspi

    found = {}

    def walk(node):
        try:
            box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            found[node.getRoleName(), node.name] = (box.x, box.y, box.width, box.height)
        except NotImplementedError:
            pass
        for child in node:
            if child is not None:
                walk(child)

    for application in pyatspi.Registry.getDesktop(0):
        for frame in application or []:
            if frame is not None and frame.name == window:
                walk(frame)
    return found


def at(box, fx, fy):
    return [str(int(box[0] + fx * box[2])), str(int(box[1] + fy * box[3]))]


def click_on(box):
    """A click in the middle of the control."""
    subprocess.run(["xdotool", "mousemove", *at(box, 0.5, 0.5), "click", "1"], check=True)


def drag(box, to, fx, fy):
    """The mouse drags the control from its middle to a point of another (fractions of it)."""
    subprocess.run(["xdotool", "mousemove", *at(box, 0.5, 0.5), "mousedown", "1", "sleep", "0.02",
                    "mousemove", *at(to, fx, fy), "sleep", "0.02", "mousemove", *at(to, fx, fy),
                    "sleep", "0.02", "mouseup", "1"], check=True)


def move(*arrows):
    """Keys Orca says nothing for (the table's point): their effect is checked by the next step."""
    keys(*arrows, delay=15)
    quiet()


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


def idle(rest=0.12):
    """Waits until Orca has handled every event: its log rests (it logs as it works)."""
    while time.time() - orca.written < rest:
        time.sleep(0.05)


def review_end(line, *above):
    """Orca's flat review from its last line (the window's bottom) up: it reads the lines."""
    idle(0.3)
    hear(["KP_Subtract"], "Войти в режим общего осмотра.")
    say("the review's last line", ["Insert+KP_Page_Up"], line)
    for line in above:
        say("the line above", ["KP_Home"], line)
    say("flat review off", ["KP_Subtract"], "Выйти из режима общего осмотра.")


def review(*lines):
    """Enters flat review, finds each line in order from the top, and leaves it. (With the focus
    on a button: a review key that Qt gives the program when Orca answers late does nothing.)"""
    idle(0.3)
    hear(["KP_Subtract"], "Войти в режим общего осмотра.")
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
    time.sleep(0.5)  # the first window, centred once framed, settles before Alt reaches its menu
    # Alt alone and F10 take the menu bar, whose first item asks the exit question.
    again(lambda: None, ["alt"], "Выход.")
    hear(["Escape"], TITLE[1])
    say("F10, Enter: the exit question", ["F10", "Return"], "?Выход.", "?" + TITLE[1],
        "?" + TITLE[2], "тревога Вопрос.", "Вы хотите окончить работу с программой?", ANSWER,
        "Да нажимаемая кнопка.")
    say("Tab", ["Tab"], "Нет нажимаемая кнопка.")
    say("Space: «Нет»", ["space"], *TITLE)
    say("«Важная информация»", ["space"], "тревога Информация.",
        "Перед выполнением работы необходимо изучить следующие материалы: 1. Раздел 4.1…",
        "ОК нажимаемая кнопка.")
    say("the box closed", ["Return"], *TITLE, "Кнопка «Дальше» открыта.")
    say("Tab", ["Tab"], "Дальше нажимаемая кнопка.")
    # A screen that closes the one before as it opens: on a loaded machine the window manager
    # may activate the new window twice, and Orca then says its title twice.
    say("«Дальше»", ["space"], "Ввод личных данных рамка.", "?Ввод личных данных рамка.",
        "Фамилия текст.", ENTER)
    say("«*» in the surname", "*", "Символ не принят: в этом поле он недопустим.")
    boxes = ["Имя", "Отчество", "Номер группы", "Номер студ. билета", "E-mail", None]
    for text, following in zip("LYY11a", boxes):  # (Latin: xdotool types it without remapping)
        enter(text)
        say("Enter after «%s»" % text, ["Return"], "Принято.",
            *(["%s текст." % following, ENTER] if following else []))
    seek("Дальше...")
    say("«Дальше...»: the assembly", ["space"], FRAME + " рамка.", "?" + FRAME + " рамка.",
        "панель с уровнями",
        "Порядок работы нажимаемая кнопка.",
        "Enter или пробел — показать порядок работы.")

    # Each instrument from the palette to the table's point, moved there by the arrows (10 pixels
    # a press, from 150, 100) and put down with Enter.
    # The first is chosen on the palette by keys; the others by a click on the palette's picture,
    # which leaves the focus on the table (the palette's keys are the same for every picture, and
    # going there and back by Tab would take more than this test's minute).
    point = (150, 100)
    palette = places(FRAME)
    seek(MENU[0], "shift+Tab")  # from "Порядок работы"
    for i, (name, (x, y), where) in enumerate([
            (MENU[0], (120, 60), "слева вверху"), (MENU[1], (120, 150), "слева посередине"),
            (MENU[2], (250, 210), "слева внизу"), (MENU[3], (560, 60), "вверху посередине"),
            (MENU[4], (610, 180), "в центре")], 1):
        if i == 1:
            say("the palette's %s" % name, ["space"], "выбрано")
            seek("Монтажный стол")
        else:
            click_on(palette["radio button", name])
        dx, dy = (x - point[0]) // 10, (y - point[1]) // 10
        point = (x, y)
        move(*["Right"] * dx + ["Left"] * -dx + ["Down"] * dy + ["Up"] * -dy)
        say("Enter on the table", ["Return"], "%s поставлен на стол %s." % (name, where))
    # Cable 1 by keys, from each plug's menu: the generator (the menu's first item), then the
    # modulator's input (Up from the first item goes round to it). The other cables by the mouse
    # as the scheme shows (instruments 2, 3 to the input, 4, 5 to the output: the modulator's
    # lower, upper half), which keeps the test within its minute; "Монтаж окончен" proves them.
    for p, target, up in [(1, "генератору стандартных сигналов", 0), (2, "входу модулятора", 2)]:
        seek("Кабель 1, разъём %d: свободен" % p)
        say("Enter on the plug: its menu", ["Return"],
            "Меню: куда подключить кабель 1, разъём %d." % p, "Генератор стандартных сигналов.")
        if up:
            seek(MENU[5], "Up")
        say("Enter in the menu", ["Return"],
            "Кабель 1, разъём %d: подключён к %s нажимаемая кнопка." % (p, target),
            "Enter, пробел или клавиша меню — выбрать, куда подключить разъём, или вынуть его.")
    table = places(FRAME)
    modulator = table["image", "Исследуемый частотный модулятор"]
    for k in range(2, 6):
        plug = lambda p: table["push button", "Кабель %d, разъём %d: свободен" % (k, p)]
        drag(plug(1 if k <= 3 else 2), table["image", MENU[k - 1]], 0.5, 0.25)
        drag(plug(2 if k <= 3 else 1), modulator, 0.5, 0.75 if k <= 3 else 0.25)
    quiet()
    seek("Монтаж окончен")
    say("«Монтаж окончен»", ["Return"], "тревога Исследование модуляционной характеристики.",
        "Монтаж сделан правильно. Продолжить работу?", ANSWER, "Да нажимаемая кнопка.")
    keys_hint = ("Стрелки влево и вправо: шаг 10; PageUp и PageDown: шаг 100; Home и End: "
                 "пределы.")
    say("«Да»: the bench", ["Return"], BENCH + " рамка.", "?" + BENCH + " рамка.",
        "Генератор панель.",
        "Амплитуда генератора полоса прокрутки 0.",
        "Показание милливольтметра: ноль мВ. " + keys_hint)
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
        chosen = lambda: seek("Выход", "F10") or hear(["Right"] + ["Down"] * stage,
                                                       "~Этап %d.*" % stage)
        # (The focus back on the control before the box may be said first, or not.)
        again(chosen, ["Return"], "?Генератор панель.",
              "?Частота генератора, кГц полоса прокрутки 540.", "?~Показание милливольтметра: .*",
              "тревога Этап %d." % stage, text, "ОК нажимаемая кнопка.")
        if stage > 1:  # the window again, as after the first
            hear(["Return"], "Частота генератора, кГц полоса прокрутки 540.")
            continue
        say("the box closed", ["Return"], BENCH + " рамка.", "Генератор панель.",
            "Частота генератора, кГц полоса прокрутки 540.",
            "~Показание милливольтметра: %s. Спектр: Несущая: 0,0 дел.; .*" % MV)
    seek("Дальше...")
    # The review covers every panel, not only the one with the focus.
    review_end("отмечено Сеть спектроанализатора Сеть")
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
    seek("Дальше...")
    # Row 2 opened later: the review reads it, with no name where a cell is empty.
    review("1 10 14,1 1,2 2.408 85,39", "2 Показание милливольтметра, мВ, строка 2 3.832")
    say("«Дальше...»", ["space"], "тревога Информация.", "Для дальнейшей работы необходимо…",
        ANSWER, "Да нажимаемая кнопка.")
    say("Tab", ["Tab"], "Нет нажимаемая кнопка.")
    say("«Нет»", ["space"], "тревога Информация.", "Пойдем дальше?", ANSWER,
        "Да нажимаемая кнопка.")
    say("«Да»: the band", ["Return"], "Расчет полосы частот, занимаемой ЧМ сигналом рамка.",
        "Исходные данные панель.", "Групповой спектр панель.", "F1, кГц текст.",
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
    review_end("Дальше... Конец", "~Формула: полоса частотномодулированного сигнала Пчм =.*")


passed = False
try:
    road()
    passed = True
finally:
    stop(started + [lab])
    if passed:
        shutil.rmtree(work, ignore_errors=True)
    else:
        print("Orca's log and the program's output: " + work, file=sys.stderr)
    if transcript:
        with open(transcript, "w") as f:
            for moment, lines in heard:
                f.write("## %s\n%s" % (moment, "".join("   %s\n" % line for line in lines)))
print("Orca said what the lab means at every moment (%d checked)" % len(heard))
