#!/usr/bin/env python3
"""The teacher's PDF of a class folder, looked at by poppler: a page per file and the summary,
each card's text, no raster image, and the student's points and the bench's curve where the
plot's scale puts them. Usage: results_pdf.py FMLAB_RESULTS [KEEP_DIR]"""
import os, re, shutil, struct, subprocess, sys, tempfile

tool = sys.argv[1]
work = sys.argv[2] if len(sys.argv) > 2 else tempfile.mkdtemp()
os.makedirs(f"{work}/class", exist_ok=True)
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)
        print("FAIL:", what, file=sys.stderr)


f32 = lambda x: struct.unpack("<f", struct.pack("<f", x))[0]
# Modulator k1 = 5 of the variant table: ГраницаЛин 9, КоэфНелин 15, КоэфUвх 9.5; the bench's
# input amplitude at index x is x · КоэфU(x) mV.
amplitude = lambda x: x * (9.5 + (x * x / 1500 if x > 9 else 0))
zeros = [2.4048, 3.8317, 5.5201, 7.0156, 8.6537, 10.1735, 11.7915, 13.3237, 14.9309, 16.4706,
         18.0711, 19.6159, 21.2116, 22.7601]
captions = [2.408, 3.832, 5.520, 7.016, 8.654, 10.17, 11.79, 13.21, 14.93, 16.10, 18.07, 19.60,
            20.10, 20.82]


def record(names, card, off_row=0):
    """A 554-byte results file: Windows-1251 texts, then the table's singles from row 1."""
    texts = [(names[0], 20), (names[1], 20), (names[2], 20), ("РС-31", 10), (card, 20),
             ("s@example.ru", 20), ("53", 2), ("", 5), ("", 5)]
    data = b"".join(t.encode("cp1251").ljust(n, b" ") for t, n in texts)
    u = [round(amplitude(round(z, 2)) / 1.41 * (1.1 if row == off_row else 1), 1)
         for row, z in enumerate(zeros, 1)]
    big = [f32(f32(x) * 1.41) for x in u]
    df = [f32(c * 0.5) for c in captions]
    s = [f32(d / (a / 1000)) for d, a in zip(df, big)]
    data += struct.pack("<14f", *big) + b"".join(struct.pack("<20f", *(c + [0] * 6))
                                                 for c in (u, df, s))
    return data.ljust(554, b"\0"), list(zip(big, df))


students = [(("Иванов", "Иван", "Иванович"), "1001", 0), (("Петрова", "Анна", "Сергеевна"), "1002", 6)]
tables = []
for names, card, off in students:
    data, points = record(names, card, off)
    tables.append(points)
    open(f"{work}/class/Result7_{card}.res", "wb").write(data)
open(f"{work}/class/Result7_1003.res", "wb").write(b"x" * 100)
env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
# A teacher's Russian desktop, whatever the suite's stage runs in: its C library reads a comma.
env.update(LANG="ru_RU.UTF-8", LC_ALL="ru_RU.UTF-8")
pdf = f"{work}/class.pdf"
run = subprocess.run([tool, "--pdf", pdf, f"{work}/class", f"{work}/нет.res"], env=env,
                     capture_output=True, text=True, timeout=60)
check(run.returncode == 2 and run.stdout == "", f"exit {run.returncode}, out {run.stdout!r}")

pages = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
check("Pages:           5\n" in pages, "a page per file and the summary: " + pages)
words = {1: ["Иванов Иван Иванович", "Группа: РС-31", "билет: 1001", "Вариант: 53",
             "по показаниям u вх: 5 (подходят 14 из 14 строк)", "Замечаний нет."],
         2: ["Петрова Анна Сергеевна", "билет: 1002", "Строка 6: показание 75.9 мВ"],
         3: ["Result7_1003.res", "ровно 554 байта", "отчет не построен"],
         4: ["нет.res", "Файл не прочитан"],
         5: ["Сводка по группе", "Иванов И. И.", "Петрова А. С.", "Итого файлов: 4"]}
for page, expected in words.items():
    text = subprocess.run(["pdftotext", "-f", str(page), "-l", str(page), pdf, "-"],
                          capture_output=True, text=True).stdout
    for phrase in expected:
        check(phrase in " ".join(text.split()), f"page {page} lacks {phrase!r}")
images = subprocess.run(["pdfimages", "-list", pdf], capture_output=True, text=True).stdout
check(len(images.splitlines()) == 2, "raster images in the PDF:\n" + images)

# The plot on the page, by hand: the report (513 x 645 of its pixels) fits the A4 page's room
# under the card (180 x 187 mm from 15 mm left, 95 mm down), centred across; the plot's box lies
# at (87, 325) of it, 275 x 269, from -0.35 V to 0.35 V and from 12 MHz down to -12 MHz.
dpi = 150
scale = min(180 / 513, 187 / 645)
left = 15 + (180 - 513 * scale) / 2


def at(volts, mhz):
    x, y = 87 + (volts + 0.35) / 0.7 * 275, 325 + (12 - mhz) / 24 * 269
    return (left + x * scale) * dpi / 25.4, (95 + y * scale) * dpi / 25.4


def pixels(page):
    ppm = subprocess.run(["pdftoppm", "-r", str(dpi), "-f", str(page), "-l", str(page), pdf],
                         capture_output=True).stdout
    head = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", ppm)
    return int(head[1]), ppm[head.end():]


blue = lambda r, g, b: b > 160 and r < 110 and g < 110
green = lambda r, g, b: g > 100 and r < 110 and b < 110
red = lambda r, g, b: r > 160 and g < 90 and b < 90


def near(image, point, colour, radius):
    width, data = image
    cx, cy = round(point[0]), round(point[1])
    return any(colour(*data[3 * (y * width + x):3 * (y * width + x) + 3])
               for y in range(cy - radius, cy + radius + 1) for x in range(cx - radius, cx + radius + 1))


first, second = pixels(1), pixels(2)
for row, (big, df) in enumerate(tables[0][:13], 1):
    for sign in (1, -1):
        check(near(first, at(sign * big / 1000, sign * df), blue, 3), f"row {row} ({sign}) not blue")
for x in (3, 8, 12, 16, 20):
    check(near(first, at(amplitude(x) / 1000, x / 2), green, 2), f"bench at mf {x} not green")
    check(not near(first, at(amplitude(x) * 1.25 / 1000, x / 2), green, 2), f"green off mf {x}")
check(not any(red(*first[1][i:i + 3]) for i in range(0, len(first[1]), 3)), "red on page 1")
big, df = tables[1][5]
check(near(second, at(big / 1000, df), red, 8), "row 6 not marked on the plot")

# A student's text as typed, markup and all, and its control characters escaped, never raw.
os.makedirs(f"{work}/crafted", exist_ok=True)
open(f"{work}/crafted/Result7_9.res", "wb").write(record(("<b>x</b>", "Ив\x1b]0;x\x07ан", "\r"), "9")[0])
subprocess.run([tool, "--pdf", f"{work}/crafted.pdf", f"{work}/crafted"], env=env, timeout=60)
text = subprocess.run(["pdftotext", f"{work}/crafted.pdf", "-"], capture_output=True, text=True).stdout
for phrase in ("<b>x</b> Ив\\x1B]0;x\\x07ан \\x0D", "«Имя» содержит управляющие символы"):
    check(phrase in " ".join(text.split()), f"the crafted page lacks {phrase!r}: {text[:300]!r}")
# (pdftotext ends each page with a form feed)
check(not re.search("[\x00-\x09\x0b\x0d-\x1f\x7f-\x9f]", text), f"raw controls in {text[:300]!r}")

# A PDF that cannot be written, and command lines that give none, end with 2 and say why.
for line, says in ((["--pdf", f"{work}/нет/class.pdf", f"{work}/class"], "не удалось записать файл PDF"),
                   (["--pdf"], "нужно имя файла PDF"), (["--csv", "--pdf", pdf, work], "дается один")):
    run = subprocess.run([tool] + line, env=env, capture_output=True, text=True, timeout=60)
    check(run.returncode == 2 and says in run.stderr, f"{line}: {run.returncode} {run.stderr!r}")

# Progress only for more than 20 files and a terminal on standard error. What the tool writes
# there is read while it runs (a pipe left undrained would stop it once full), within a minute.
import pty, select, time
for n in range(1004, 1022):
    shutil.copy(f"{work}/class/Result7_1001.res", f"{work}/class/Result7_{n}.res")
for terminal in (False, True):
    reader, writer = pty.openpty() if terminal else os.pipe()
    tool_run = subprocess.Popen([tool, "--pdf", pdf, f"{work}/class"], env=env,
                                stdout=subprocess.DEVNULL, stderr=writer)
    os.close(writer)
    said, deadline = b"", time.monotonic() + 60
    while time.monotonic() < deadline:
        if not select.select([reader], [], [], 1)[0]:
            continue
        try:
            chunk = os.read(reader, 65536)
        except OSError:  # a terminal's reading end once the tool has closed it
            chunk = b""
        if not chunk:
            break
        said += chunk
    os.close(reader)
    if tool_run.poll() is None:
        tool_run.kill()
    tool_run.wait()
    check(time.monotonic() < deadline, f"the tool with a terminal {terminal} ran over a minute")
    said = said.decode(errors="replace")
    check(("21 из 21" in said) == terminal, f"progress with a terminal {terminal}: {said[:200]!r}")
if len(sys.argv) <= 2:
    shutil.rmtree(work)
sys.exit(1 if failures else 0)
