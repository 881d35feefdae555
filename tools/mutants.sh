#!/usr/bin/env bash
# Proof that the suite catches real faults. Each fault of the table below is planted in a scratch
# copy of the sources (the working tree as it stands, uncommitted changes included), the copy is
# rebuilt incrementally and the suite runs; the report tells, per fault, which test caught it or
# "NOT CAUGHT". The working tree is never touched.
#
#   tools/mutants.sh                  every fault, the whole suite
#   tools/mutants.sh --only core      the faults the core tests guard, with the core tests only
#   tools/mutants.sh --only gui       the faults the screen tests guard, with the screen tests only
#   tools/mutants.sh --list           the faults and where they are planted
#   tools/mutants.sh Bessel Currency  only the faults whose name holds one of the words
#
# The scratch copy and its build folder stay in $FMLAB_MUTANTS_DIR (default: a folder of this
# worktree's own under /tmp), so the next run rebuilds only what changed. Exit code: 0 when every
# fault run was caught, 1 when one was not (or broke the build), 2 when the faults could not be
# run at all (a snippet not found in the sources, the unchanged suite failing).
set -euo pipefail
repo="$(cd "$(dirname "$0")/.." && pwd)"
default_dir="/tmp/fmlab-mutants-$(id -un)-$(printf '%s' "$repo" | md5sum | cut -c1-8)"
export FMLAB_REPO="$repo" FMLAB_MUTANTS_DIR="${FMLAB_MUTANTS_DIR:-$default_dir}"
script="$(mktemp)"
trap 'rm -f "$script"' EXIT
cat >"$script" <<'PYTHON'
import os, pathlib, re, subprocess, sys

# name, the tests that guard it (core or gui), the test expected to catch it (run first), and the
# edits: file, an original snippet that must occur exactly once, its replacement.
FAULTS = [
    ("results file: two members swapped", "core", "results_file_test", [
        ("records/results_file.cpp", "  io.currency(r.dfэфф);\n  io.currency(r.dfпик);\n",
         "  io.currency(r.dfпик);\n  io.currency(r.dfэфф);\n")]),
    ("Currency rounds halves away from zero", "core", "types_test", [
        ("types/currency.cpp", "std::nearbyint(value * kScale)", "std::round(value * kScale)")]),
    ("Bessel series stops at 1e-6", "core", "fm_model_test", [
        ("model/bessel_series.cpp", "} while (std::fabs(Член) > 1e-9);",
         "} while (std::fabs(Член) > 1e-6);")]),
    ("Убрать removes every occurrence", "core", "assembly_model_test", [
        ("assembly/assembly_model.cpp",
         "  list.replace(at, entry.size(), QString(entry.size(), QLatin1Char(' ')));",
         "  list.replace(entry, QString(entry.size(), QLatin1Char(' ')));")]),
    ("results file truncated in place, no temporary file", "core", "results_file_test", [
        ("records/results_file.cpp", "  QSaveFile file(name);", "  QFile file(name);"),
        ("records/results_file.cpp", "  file.setDirectWriteFallback(existing.exists());\n", ""),
        ("records/results_file.cpp", "    file.cancelWriting();", "    file.close();"),
        ("records/results_file.cpp", "  return file.commit() ? FileStatus::Ok",
         "  file.close();\n  return file.error() == QFileDevice::NoError ? FileStatus::Ok")]),
    ("linear boundary > made >=", "core", "fm_model_test", [
        ("model/fm_model.cpp", "if (state.ИндексМод > state.ГраницаЛин)",
         "if (state.ИндексМод >= state.ГраницаЛин)")]),
    ("spectrum at Fmod / 200", "core", "fm_model_test", [
        ("model/fm_model.cpp", "const double x = n * fmod / 250;",
         "const double x = n * fmod / 200;")]),
    ("band snapshot taken at the end instead of at confirmation", "gui", "road_test", [
        ("measure/band_screen.cpp",
         "  r.dfkИтог = r.dfk;\n  r.dfэффИтог = r.dfэфф;\n  r.dfпикИтог = r.dfпик;\n"
         "  r.ПчмИтог = r.Пчм;\n  r.F1Итог = r.F1;\n  r.F2Итог = r.F2;\n  r.pkИтог = r.pk;\n"
         "  r.РсрИтог = r.Рср;\n  r.mfИтог = r.mf;\n", ""),
        ("measure/band_screen.cpp", "void РасчЧМ::КонецРаботы() {\n",
         "void РасчЧМ::КонецРаботы() {\n  if (ВводN != 0) {\n    Результат& r = state().Рез;\n"
         "    r.dfkИтог = r.dfk;\n    r.dfэффИтог = r.dfэфф;\n    r.dfпикИтог = r.dfпик;\n"
         "    r.ПчмИтог = r.Пчм;\n    r.F1Итог = r.F1;\n    r.F2Итог = r.F2;\n"
         "    r.pkИтог = r.pk;\n    r.РсрИтог = r.Рср;\n    r.mfИтог = r.mf;\n  }\n")]),
    ("missing Logo1 picture not reported", "gui", "file_faults_test", [
        ("frame/title_screen.cpp",
         "    picture3_->setPicture(loadPicture(QStringLiteral(\"Logo1.wmf\")));\n",
         "    try {\n      picture3_->setPicture(loadPicture(QStringLiteral(\"Logo1.wmf\")));\n"
         "    } catch (const PictureError&) {\n    }\n")]),
    ("report plot without its mirror polyline", "gui", "drawing_test", [
        ("measure/report_screen.cpp",
         "  for (size_t i = 1; i < points.size(); ++i) plot.lineTo(-points[i].x(), -points[i].y(), blue);\n",
         "")]),
]

repo = pathlib.Path(os.environ["FMLAB_REPO"])
work = pathlib.Path(os.environ["FMLAB_MUTANTS_DIR"])
src, build = work / "src", work / "build"
args = sys.argv[1:]
only = None
if "--only" in args:
    at = args.index("--only")
    only = args[at + 1] if at + 1 < len(args) else ""
    del args[at:at + 2]
    if only not in ("core", "gui"):
        sys.exit("--only takes core or gui")
listing = "--list" in args
words = [a for a in args if a != "--list"]
faults = [f for f in FAULTS if (only is None or f[1] == only)
          and (not words or any(w.lower() in f[0].lower() for w in words))]

if listing:
    for name, scope, hint, edits in faults:
        print(f"{name}  [{scope}; {hint}]  " + ", ".join(sorted({e[0] for e in edits})))
    sys.exit(0)
if not faults:
    sys.exit("no fault matches")

def say(text):
    print(text, flush=True)

def sources():
    out = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                         cwd=repo, check=True, capture_output=True).stdout
    return sorted(p for p in out.decode().split("\0") if p and (repo / p).is_file())

def write(path, data):
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(data)  # a new time stamp: the build sees the file as changed

def restore(names):
    for name in names:
        write(src / name, (repo / name).read_bytes())

def sync(files):
    """Makes the scratch copy equal to the working tree, rewriting only the files that differ."""
    wanted = set(files)
    for name in files:
        original, copy = repo / name, src / name
        data = original.read_bytes()
        if not copy.is_file() or copy.read_bytes() != data:
            write(copy, data)
        os.chmod(copy, original.stat().st_mode & 0o777)
    for path in sorted(src.rglob("*"), reverse=True):
        name = path.relative_to(src).as_posix()
        if path.is_file() and name not in wanted:
            path.unlink()
        elif path.is_dir() and not any(path.iterdir()):
            path.rmdir()

# Every snippet must be found exactly once before anything runs: a fault that cannot be planted
# must never be reported as caught.
problems = []
for name, _, _, edits in faults:
    texts = {}
    for file, old, new in edits:
        path = repo / file
        text = texts.setdefault(file, path.read_text(encoding="utf-8") if path.is_file() else "")
        count = text.count(old)
        if count != 1:
            problems.append(f"{name}: {file}: the snippet occurs {count} times:\n    {old.strip()[:100]}")
        else:
            texts[file] = text.replace(old, new)
if problems:
    say("mutants: cannot plant these faults (the sources changed?):")
    for p in problems:
        say("  " + p)
    sys.exit(2)

env = dict(os.environ, QT_QPA_PLATFORM="offscreen", CCACHE_NOHASHDIR="true",
           CCACHE_BASEDIR=str(work))
core_tests = sorted(p.stem for p in (repo / "tests/core").glob("*_test.cpp"))
if only == "core":
    targets, selection = core_tests, ["-R", "^(" + "|".join(core_tests) + ")$"]
elif only == "gui":
    targets, selection = ["all"], ["-E", "^(" + "|".join(core_tests) + ")$"]
else:
    targets, selection = ["all"], []

def run(command, log):
    with open(log, "w") as out:
        return subprocess.run(command, cwd=build, env=env, stdout=out, stderr=subprocess.STDOUT,
                              stdin=subprocess.DEVNULL).returncode

def rebuild(log):
    return run(["cmake", "--build", ".", "-j", "2", "--target", *targets], log) == 0

def failed_tests(extra, log):
    """Runs the selected tests; returns the names of those that failed."""
    failures = build / "Testing" / "Temporary" / "LastTestsFailed.log"
    failures.unlink(missing_ok=True)
    if run(["ctest", "--output-on-failure", "--timeout", "900", *selection, *extra], log) == 0:
        return []
    if not failures.is_file():
        return ["(ctest failed without a failing test; see " + str(log) + ")"]
    return [line.split(":", 1)[1] for line in failures.read_text().split() if ":" in line]

files = sources()
say(f"mutants: scratch copy in {work}")
sync(files)
build.mkdir(parents=True, exist_ok=True)
logs = work / "logs"
logs.mkdir(exist_ok=True)
if run(["cmake", "-S", str(src), "-B", str(build), "-G", "Ninja",
        "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DFMLAB_BUILD_PERF=OFF"], logs / "configure.log"):
    sys.exit(f"mutants: configuring failed, see {logs / 'configure.log'}")
say("mutants: building and running the unchanged suite")
if not rebuild(logs / "build-unchanged.log"):
    sys.exit(f"mutants: the unchanged sources do not build, see {logs / 'build-unchanged.log'}")
broken = failed_tests(["-j", "2"], logs / "test-unchanged.log")
if broken:
    say("mutants: the unchanged suite fails already (" + ", ".join(broken) + "): nothing to prove")
    sys.exit(2)

results = []
try:
    for number, (name, scope, hint, edits) in enumerate(faults, 1):
        log = logs / f"fault-{number}"
        for file in {e[0] for e in edits}:
            text = (repo / file).read_text(encoding="utf-8")
            for f, old, new in edits:
                if f == file:
                    text = text.replace(old, new)
            write(src / file, text.encode("utf-8"))
        if not rebuild(f"{log}-build.log"):
            verdict = f"BUILD FAILED (see {log}-build.log)"
        else:
            caught = []
            if hint in core_tests or only != "core":
                caught = failed_tests(["-R", f"^{re.escape(hint)}$"], f"{log}-first.log")
            if not caught:
                caught = failed_tests(["-j", "2", "--stop-on-failure"], f"{log}-suite.log")
            verdict = "caught by " + ", ".join(caught) if caught else "NOT CAUGHT"
        results.append((name, verdict))
        say(f"  {name}: {verdict}")
        restore({e[0] for e in edits})
finally:
    sync(sources())

say("\nfault -> test that caught it")
for name, verdict in results:
    say(f"  {name:60} {verdict}")
sys.exit(0 if all(v.startswith("caught") for _, v in results) else 1)
PYTHON
python3 "$script" "$@"
