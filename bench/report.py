#!/usr/bin/python3
"""Turns the raw figures in bench/raw/ into the Markdown of RESULTS.md."""
import csv
import datetime
import os
import platform
import re
import sys

raw = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "raw")
out = []


def say(line=""):
    out.append(line)


def median(values):
    v = sorted(values)
    n = len(v)
    return v[n // 2] if n % 2 else (v[n // 2 - 1] + v[n // 2]) / 2


def pct(values, p):
    v = sorted(values)
    return v[min(len(v) - 1, int(len(v) * p / 100))]


def spread(values, digits=1):
    if not values:
        return "n/a"
    f = "%%.%df" % digits
    return (f + " (" + f + "–" + f + ")") % (median(values), min(values), max(values))


def figures(name):
    """figure -> list of values, from a figure,index,value file."""
    result = {}
    path = os.path.join(raw, name)
    if not os.path.exists(path):
        return result
    with open(path) as f:
        for row in csv.DictReader(f):
            result.setdefault(row["figure"], []).append(float(row["value"]))
    return result


def met(ok):
    return "**met**" if ok else "**missed**"


def read(name, default="?"):
    path = os.path.join(raw, name)
    return open(path).read().strip() if os.path.exists(path) else default


def processor():
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                return line.split(":", 1)[1].strip()
    return platform.processor() or "unknown"


def fields(name):
    """key=value lines of a raw file, as a dict."""
    return dict(line.split("=", 1) for line in read(name, "").splitlines() if "=" in line)


goals = []
run = fields("run.txt")

say("# Benchmarks")
say()
say("Made by `make bench` on %s, on %s (%d cores), Linux %s, %s; the program's last change: `%s`." % (
    run.get("when", datetime.date.today().isoformat()), processor(), os.cpu_count(),
    run.get("kernel", platform.release()), read("wine_version.txt", "Wine"), read("program_commit.txt")))
say()
executable = read("executable.txt", "?\n?\n?").split("\n")
measured_arch = executable[1] if len(executable) > 1 else "?"
bits = {"i686": "the 32-bit product", "x86_64": "the 64-bit build"}.get(measured_arch, measured_arch)
say("Measured: `%s`, %s, because %s (`scripts/arch`)." % (
    executable[0], bits, executable[2] if len(executable) > 2 else "?"))
if fields("press_run.txt").get("command", "make bench") != "make bench":
    say("The presses were measured again later on their own, by `make bench-press` on `%s`: the press" % (
        fields("press_run.txt").get("executable")))
    say("section says when and how; every other figure is from the run described here.")
say()
load = read("load.txt", "").split("\n")
if len(load) == 2:
    say("Load average (1, 5, 15 minutes) at the start of the run %s, at its end %s, on %d cores: other" % (
        load[0], load[1], os.cpu_count()))
    say("work on the same cores (a test run, a build) shows in the figures, above all in the maxima and")
    say("99th percentiles.")
    say()
say("Every figure is the median (min–max) of the runs in `bench/raw/`; every ratio compares two")
say("programs measured in the same run, taking turns (the order turning each round).")
say("Start-up times are milliseconds from just before the process is started to, as seen by")
say("an X client from outside (`bench/xstart.c`): the window's MapNotify, the first Damage on it,")
say("and the first Damage after which the window's pixels equal the picture it settles on")
say("(the main frame with the calculator panel painted).")
say()
say("Two floors stand beside the program. The **bare popup** (`bench/bare.c`) registers one class")
say("and shows one 330 × 330 popup: no manifest, no controls. The **design floor**")
say("(`bench/design_floor.cpp`) does the platform work that the program's design makes it do,")
say("without the program's own logic: the same resources (so the same manifest and version 6")
say("controls), three classes with the same icon, cursor and pattern-brush backgrounds, the same")
say("popup with its three bitmap title buttons, the same rounded panel with the calculator's ten")
say("controls and switch bitmap, the same three labels, and a plain message loop. OmbeX+ / design")
say("floor is what the program itself adds; OmbeX+ / bare is what it costs over the least a window")
say("can be.")
picture = read("design_picture.txt", "")
if picture:
    say({"same": "The design floor settles on the very same picture as OmbeX+, pixel for pixel.",
         "different": "**The design floor settles on another picture than OmbeX+**: its copy of the layout has drifted.",
         }.get(picture, "The design floor's picture was not compared with OmbeX+'s (no steady picture)."))
say()

# --- start-up ---
def startup(name):
    rows = {}
    path = os.path.join(raw, name)
    if not os.path.exists(path):
        return rows, 0
    fails = {}
    with open(path) as f:
        for row in csv.DictReader(f):
            if row["map_ms"] == "fail":
                fails[row["program"]] = fails.get(row["program"], 0) + 1
                continue
            r = rows.setdefault(row["program"], {"round": [], "map": [], "first": [], "complete": [],
                                                   "rss": [], "anon": []})
            r["round"].append(int(row["round"]))
            r["map"].append(float(row["map_ms"]))
            r["first"].append(float(row["first_paint_ms"]))
            r["complete"].append(float(row["complete_ms"]))
            r["rss"].append(float(row["rss_kb"]) / 1024)
            r["anon"].append(float(row["anon_kb"]) / 1024)
    return rows, fails


def paired_ratio(rows, a, b, key):
    """Median of the per-round ratios a/b."""
    ra = dict(zip(rows[a]["round"], rows[a][key]))
    rb = dict(zip(rows[b]["round"], rows[b][key]))
    ratios = [ra[r] / rb[r] for r in ra if r in rb and ra[r] > 0 and rb[r] > 0]
    return ratios


def startup_ratios(rows, state):
    """OmbeX+ against each floor, complete: a line and a goal each."""
    for floor, label in floors:
        if "ombex" not in rows or floor not in rows:
            continue
        program = [c for c in rows["ombex"]["complete"] if c >= 0]
        base = [c for c in rows[floor]["complete"] if c >= 0]
        if not program or not base:
            continue
        ratio = median(program) / median(base)
        pr = paired_ratio(rows, "ombex", floor, "complete")
        say("OmbeX+ / %s, complete: **%.2f×** (ratio of medians); per-round ratios %s.  " % (
            label, ratio, spread(pr, 2)))
        goals.append(("Start-up ≤ 1.10× the floor, %s — against the %s" % (state, label),
                      "%.2f×" % ratio, met(ratio <= 1.10)))


names = {"ombex": "OmbeX+", "bare": "bare popup (floor)", "design": "design floor"}
floors = (("bare", "bare popup"), ("design", "design floor"))


def startup_table(rows, fails):
    say("| program | runs | mapped ms | first paint ms | complete ms | resident MB | anonymous MB |")
    say("|---|---|---|---|---|---|---|")
    for p, r in rows.items():
        complete = [c for c in r["complete"] if c >= 0]
        note = "" if len(complete) == len(r["complete"]) else " (%d of %d runs)" % (len(complete), len(r["complete"]))
        say("| %s | %d%s | %s | %s | %s | %s | %s |" % (
            names.get(p, p), len(r["map"]), " + %d failed" % fails[p] if p in fails else "",
            spread(r["map"]), spread(r["first"]),
            (spread(complete) + note) if complete else "no steady picture",
            spread(r["rss"]), spread(r["anon"])))
    for p, n in fails.items():
        if p not in rows:
            say("| %s | 0 + %d failed | – | – | – | – | – |" % (names.get(p, p), n))
    say()


say("## Start-up")
say()
cold, cold_fails = startup("startup_server_warm.csv")
say("### (a) wineserver warm, no desktop process")
say()
say("The persistent wineserver and Wine's services run; Wine's desktop process (explorer.exe)")
say("has ended before every start, so each start brings it up again.")
say()
startup_table(cold, cold_fails)


startup_ratios(cold, "wineserver warm")
say()

warm, warm_fails = startup("startup_desktop_warm.csv")
say("### (b) desktop process kept alive, with the peers")
say()
say("A tiny Win32 process of the benchmark's own (`bench/keeper.c`, one window never shown)")
say("keeps Wine's desktop process alive throughout. The peers are Debian's packages on the same")
say("display, started with their own home directory, no session bus and no accessibility bus;")
say("their 'complete' is the first Damage after which their window shows the picture it settles on.")
say()
startup_table(warm, warm_fails)
missing = os.path.join(raw, "peers_missing.txt")
if os.path.exists(missing):
    say("Not measured (could not be installed or run): %s." % ", ".join(open(missing).read().split()))
    say()
startup_ratios(warm, "desktop process warm")
if "ombex" in warm:
    if "galculator" in warm:
        g = median(warm["galculator"]["first"])
        o = median(warm["ombex"]["complete"])
        say("OmbeX+ complete / galculator first paint: **%.2f×** (%.1f ms against %.1f ms)." % (o / g, o, g))
        goals.append(("Start-up, desktop process warm, no slower than galculator's first paint",
                      "%.1f ms vs %.1f ms" % (o, g), met(o <= g)))
    else:
        goals.append(("Start-up no slower than galculator's first paint", "galculator not run", "n/a"))
    say()

# in-process start-up
mem = figures("memory_startup.csv")
if mem:
    say("In-process, the same start-ups without the process start (the benchmark program calls")
    say("`StartUp()`, or the floor's start-up, and runs the queue dry; one process each run):")
    say("OmbeX+ %s ms, bare popup %s ms, design floor %s ms." % tuple(
        spread([v / 1000 for v in mem.get("startup_inproc%s_us" % f, [])], 2) for f in ("", "_bare", "_design")))
    say()

stages_s = figures("startup_stages.csv")
if stages_s:
    say("Start-up taken apart in a fresh benchmark process each run (ms): each piece on its own")
    say("first, then `StartUp()` with those costs already paid.")
    say()
    say("| stage | ms |")
    say("|---|---|")
    for key, v in stages_s.items():
        say("| %s | %s |" % (key[len("startup_stage_"):-3].replace("_", " "), spread([x / 1000 for x in v], 2)))
    say()

# --- presses ---
press = figures("press.csv")
pressrun = fields("press_run.txt")
say("## A press")
say()
if pressrun:
    command = pressrun.get("command", "?")
    say("Measured by %s at %s, on `%s` (%s, because %s), Linux %s, %s; the program's last change:" % (
        "`make bench-press` (`bench/run press`)" if command == "bench/run press" else "`%s`" % command, pressrun.get("when", "?"), pressrun.get("executable", "?"),
        {"i686": "the 32-bit product", "x86_64": "the 64-bit build"}.get(pressrun.get("arch"), "?"),
        pressrun.get("why", "?"), pressrun.get("kernel", "?"), pressrun.get("wine", "Wine")))
    say("`%s`. Load average (1, 5, 15 minutes) at the start %s, at the end %s, on %d cores." % (
        pressrun.get("program", "?"), pressrun.get("load_start", "?"), pressrun.get("load_end", "?"),
        os.cpu_count()))
    if pressrun.get("executable") != executable[0] or pressrun.get("program") != read("program_commit.txt"):
        say("This section was measured on its own, after the run that the other sections come from.")
    say()
say("In-process (`bench/inproc.cpp`, linked with `ombex_core`, the design floor and `res/ombex.rc`):")
say("BM_CLICK on the Calculate button, then the queue run dry (every paint the press caused, the")
say("result box's included), timed with QueryPerformanceCounter; the result is checked after every")
say("press. The calculator computes 12 × 5; the converter 100 with °C to °F alone (212), then with")
say("both temperature boxes checked (a paired result: 212 and 37.78).")
say()
say("The **press floor** presses on the design floor's copy of the same panel, in the same process")
say("(so the same manifest and version 6 controls), its frame beside the program's: BM_CLICK on its")
say("Calculate button, and on the command the platform calls that the press makes, in the same order,")
say("without the program's logic: for the calculator SetWindowTextA of the result box to empty, GetDC,")
say("the full immediate repaint (RedrawWindow with RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW),")
say("GetWindowTextLengthA and GetWindowTextA of both number boxes, SetWindowTextA of the result, ReleaseDC;")
say("for the converter the second box hidden first, the value box read, and for a paired result the")
say("second box shown, both boxes written and the two purple labels painted (SetBkMode, SetTextColor,")
say("TextOutA). No check of the panel or of the boxes, no text blocks, no number read or formatted:")
say("each box is written once with the text the program shows. The program and its floor take turns")
say("in blocks of %d presses, each block opened by one press that is not reported (it takes the" % int(
    press.get("press_block", [50])[0]))
say("keyboard over from the other frame); 200 presses of each warm up first.")
say()
kinds = (("calculator", "calculator"), ("converter_single", "converter, single result"),
         ("converter_paired", "converter, paired result"))
stage_names = {
    "click_to_command": "BM_CLICK up to the command: the button's press drawn",
    "command": "the command: the program's OnCalculate, the floor's calls",
    "hide_second": "  ShowWindow(second box, SW_HIDE)",
    "empty_result": "  SetWindowTextA(result box, empty)",
    "getdc": "  GetDC(panel)",
    "repaint_now": "  RedrawWindow(panel, RDW_INVALIDATE &#124; RDW_ERASE &#124; RDW_UPDATENOW)",
    "read_boxes": "  GetWindowTextLengthA, GetWindowTextA of the box(es)",
    "show_second": "  ShowWindow(second box, SW_SHOW)",
    "write_results": "  SetWindowTextA of the result (and the second) box",
    "paint_labels": "  SetBkMode, SetTextColor, TextOutA of the two labels",
    "releasedc": "  ReleaseDC(panel)",
    "release": "BM_CLICK after the command: the button's release",
    "settle": "the paints left queued, run dry",
}
top_level = ("click_to_command", "command", "release", "settle")
steps = ("hide_second", "empty_result", "getdc", "repaint_now", "read_boxes", "show_second",
         "write_results", "paint_labels", "releasedc")


def stage(kind, who, name, p99=False):
    v = press.get("pressstage_%s_%s_%s%s_us" % (kind, who, name, "_p99" if p99 else ""))
    return v[0] if v else None


def costliest(kind):
    """The floor's costliest stage at its finest: the command's calls apart."""
    names = [n for n in ("click_to_command",) + steps + ("release", "settle") if stage(kind, "floor", n) is not None]
    return max(names, key=lambda n: stage(kind, "floor", n)) if names else None


rows = []
for key, label in kinds:
    p = [x / 1000 for x in press.get("press_%s_us" % key, [])]
    f = [x / 1000 for x in press.get("press_%s_floor_us" % key, [])]
    if p and f:
        rows.append((key, label, p, f))
if rows:
    say("| press | presses each | OmbeX+ median ms | OmbeX+ p99 ms | floor median ms | floor p99 ms | OmbeX+ / floor, median | OmbeX+ / floor, p99 | costliest stage of the floor |")
    say("|---|---|---|---|---|---|---|---|---|")
    for key, label, p, f in rows:
        rm, rp = median(p) / median(f), pct(p, 99) / pct(f, 99)
        c = costliest(key)
        total = median(f) * 1000
        say("| %s | %d | %.3f | %.3f | %.3f | %.3f | **%.3f×** | **%.3f×** | %s: %.2f ms, %.0f%% of the floor's median |" % (
            label, len(p), median(p), pct(p, 99), median(f), pct(f, 99), rm, rp,
            stage_names[c].strip().split(":")[0], stage(key, "floor", c) / 1000, 100 * stage(key, "floor", c) / total))
        goals.append(("Press ≤ 1.05× its floor, median and p99 (%s)" % label, "%.3f× / %.3f×" % (rm, rp),
                      met(rm <= 1.05 and rp <= 1.05)))
    for key, label, p, f in rows:
        goals.append(("Press median ≤ 1 ms (%s)" % label, "%.3f ms" % median(p), met(median(p) <= 1.0)))
        goals.append(("Press p99 ≤ 2 ms (%s)" % label, "%.3f ms" % pct(p, 99), met(pct(p, 99) <= 2.0)))
    say()
    over = [(key, label, p, f) for key, label, p, f in rows if pct(p, 99) / pct(f, 99) > 1.05]
    if over:
        say("Where a 99th percentile runs more than 5%% over its floor's, the stages say where (p99, ms): %s." % (
            "; ".join("%s: the command %.2f against the floor's %.2f, the paints left queued %.2f against %.2f" % (
                          label, stage(key, "program", "command", True) / 1000,
                          stage(key, "floor", "command", True) / 1000,
                          stage(key, "program", "settle", True) / 1000,
                          stage(key, "floor", "settle", True) / 1000) for key, label, p, f in over)))
        say("A gap in the paints left queued is the machine's, not the program's: there both make the same")
        say("calls (the controls' paints, each panel's WM_PAINT and WM_CTLCOLOR answers alike), and with")
        say("others' work on the two cores their 99th percentiles part by more than 5%; the medians are what")
        say("the program adds.")
        say()
    say("Minima and maxima, ms: " + "; ".join("%s %.3f–%.3f, its floor %.3f–%.3f" % (
        label, min(p), max(p), min(f), max(f)) for key, label, p, f in rows) + ".")
    say()

    before = figures("press_before_mend.csv")
    beforerun = fields("press_before_mend_run.txt")
    if before and beforerun:
        say("Before the converter's mend (a press now reads the six boxes' states once, where the rule and")
        say("the results asked up to thirty times, and writes a paired result's boxes once, where it first")
        say("wrote both single results into the result box): %s presses of each kind, at %s, by" % (
            len(before.get("press_calculator_us", [])), beforerun.get("when", "?")))
        say("`%s`, built at %s; load average %s at the start, %s at the end" % (
            beforerun.get("command", "?"), beforerun.get("built", "?"), beforerun.get("load_start", "?"),
            beforerun.get("load_end", "?")))
        say("(`raw/press_before_mend.csv`):")
        say()
        say("| press, before the mend | OmbeX+ median / p99 ms | floor median / p99 ms | OmbeX+ / floor, median | p99 | the command, OmbeX+ − floor, median µs |")
        say("|---|---|---|---|---|---|")
        for key, label in kinds:
            p = [x / 1000 for x in before.get("press_%s_us" % key, [])]
            f = [x / 1000 for x in before.get("press_%s_floor_us" % key, [])]
            if not p or not f:
                continue
            c = [before.get("pressstage_%s_%s_command_us" % (key, who), [0])[0] for who in ("program", "floor")]
            say("| %s | %.3f / %.3f | %.3f / %.3f | %.3f× | %.3f× | %+.1f |" % (
                label, median(p), pct(p, 99), median(f), pct(f, 99), median(p) / median(f),
                pct(p, 99) / pct(f, 99), c[0] - c[1]))
        say()

    say("### Where a press spends its time")
    say()
    say("Both presses are cut at the same points: a subclass round the program's panel, and the floor's")
    say("own command, stamp the time where the command starts and ends. The floor's command is cut")
    say("further at each of its calls. Median and p99 of each stage over the reported presses, µs")
    say("(the medians of the stages need not add up to the press's).")
    say()
    for key, label, p, f in rows:
        say("**%s**" % label.capitalize())
        say()
        say("| stage | OmbeX+ median | OmbeX+ p99 | floor median | floor p99 | OmbeX+ − floor, median |")
        say("|---|---|---|---|---|---|")
        for name in top_level:
            pm, pp = stage(key, "program", name), stage(key, "program", name, True)
            fm, fp = stage(key, "floor", name), stage(key, "floor", name, True)
            if fm is None:
                continue
            say("| %s | %.1f | %.1f | %.1f | %.1f | %+.1f |" % (stage_names[name], pm, pp, fm, fp, pm - fm))
            if name == "command":
                for step in steps:
                    sm = stage(key, "floor", step)
                    if sm is not None:
                        say("| %s | | | %.1f | %.1f | |" % (stage_names[step].replace("  ", "&nbsp;&nbsp;· ", 1),
                                                           sm, stage(key, "floor", step, True)))
        say()
        rn, wn = stage(key, "floor", "repaint_now_and_its_paints"), stage(key, "floor", "result_write_and_its_paint")
        c = costliest(key)
        say("Costliest stage of the floor: %s, %.0f%% of its median press." % (
            stage_names[c].strip(), 100 * stage(key, "floor", c) / (median(f) * 1000)))
        if rn is not None and wn is not None:
            say("Alone on the floor's panel, after the presses (not in turn with them), the full immediate repaint")
            say("with the paints it leaves queued takes %.1f µs (p99 %.1f), the result box's write with its paint" % (
                rn, stage(key, "floor", "repaint_now_and_its_paints", True)))
            say("%.1f µs (p99 %.1f)." % (
                wn, stage(key, "floor", "result_write_and_its_paint", True)))
            if c == "settle" and rn > 2 * wn:
                say("The call that dominates is RedrawWindow, through the paints of the panel's controls that it")
                say("queues: the panel has no WS_CLIPCHILDREN, so its controls are invalidated with it, and they")
                say("paint when the queue is run.")
        say()

# --- swap ---
swap = figures("swap.csv")
say("## Swap round trip")
say()
say("Calculator's switch button → converter painted → converter's switch button → calculator")
say("painted, in-process, queue run dry after each click. The floor, in a bare popup beside it,")
say("creates, shows and destroys the same windows of the same classes (a bare container with")
say("twelve controls, then one with ten), without skin, region or bitmaps, in the same process")
say("and so with the same manifest%s. Blocks of 50 round trips of each in turn." % (
    " (version 6 controls: comctl32 loaded)" if figures("swap.csv").get("swap_comctl32", [0])[0] else ""))
say()
if swap.get("swap_program_us"):
    p = [x / 1000 for x in swap["swap_program_us"]]
    f = [x / 1000 for x in swap["swap_floor_us"]]
    say("| round trip | count | median ms | p99 ms | min ms | max ms |")
    say("|---|---|---|---|---|---|")
    for label, v in (("OmbeX+", p), ("bare-controls floor", f)):
        say("| %s | %d | %.2f | %.2f | %.2f | %.2f |" % (label, len(v), median(v), pct(v, 99), min(v), max(v)))
    ratio = median(p) / median(f)
    say()
    first, last = p[:100], p[-100:]
    say("OmbeX+ / floor: **%.2f×**. The program's first 100 round trips: median %.2f ms; its last 100: %.2f ms." % (
        ratio, median(first), median(last)))
    leaking = swap.get("swap_leaking", [0])[0]
    say("Main frame's children after the run: %d (%s)." % (
        swap.get("swap_frame_children_after", [0])[0],
        "a hidden calculator panel is left behind at every round trip" if leaking else "no panel left behind"))
    say()
    goals.append(("Swap round trip ≤ 1.2× the bare-controls floor", "%.2f×" % ratio, met(ratio <= 1.2)))

# --- memory ---
say("## Memory")
say()
if mem:
    def private(figure, source=mem):
        v = source.get(figure + "_private", [])
        if not any(v):
            v = source.get(figure + "_pagefile", [])
        return [x / 2**20 for x in v]
    def resident(figure):
        return [v / 2**20 for v in mem.get(figure + "_resident", [])]
    sp, sr = private("mem_start"), resident("mem_start")
    say("After start-up, GetProcessMemoryInfo (PROCESS_MEMORY_COUNTERS_EX) in the same benchmark")
    say("program, one process per run, the three taking turns. Wine 8 leaves PrivateUsage at 0 and")
    say("reports the private commit in PagefileUsage (which Windows defines as the same figure):")
    say("'private' below is PagefileUsage wherever PrivateUsage reads 0.")
    say()
    say("| after start-up | runs | private MB | resident MB | comctl32 loaded (version 6 controls) |")
    say("|---|---|---|---|---|")
    for figure, label in (("mem_start", "OmbeX+ (`StartUp()`)"), ("mem_bare", "bare popup"),
                          ("mem_design", "design floor")):
        v6 = mem.get(figure + "_comctl32")
        say("| %s | %d | %s | %s | %s |" % (label, len(private(figure)), spread(private(figure), 2),
                                           spread(resident(figure), 2),
                                           ("yes" if all(v6) else "no") if v6 else "–"))
    say()
    for floor, label in floors:
        fp = private("mem_" + floor)
        if not fp:
            continue
        extra = median(sp) - median(fp)
        say("OmbeX+ − %s: private %+.2f MB, resident %+.2f MB.  " % (
            label, extra, median(sr) - median(resident("mem_" + floor))))
        goals.append(("Private bytes ≤ the floor + 2 MB after start-up — against the %s" % label,
                      "%+.2f MB" % extra, met(extra <= 2.0)))
    say("(The start-up tables above give the real executables' resident and anonymous memory as")
    say("Linux counts it.)")
    say()

long = figures("memory_long.csv")
if long:
    with open(os.path.join(raw, "memory_long.csv")) as f:
        rows = list(csv.DictReader(f))
    say("Through a long run (one process): private and resident MB at each checkpoint.")
    say()
    say("| checkpoint | private MB | resident MB |")
    say("|---|---|---|")
    pairs = {}
    order = []
    for row in rows:
        m = re.match(r"(mem_long_\w+?)_(private|resident|pagefile)$", row["figure"])
        if not m:
            continue
        key = (m.group(1), int(row["index"]))
        if key not in pairs:
            order.append(key)
        pairs.setdefault(key, {})[m.group(2)] = float(row["value"]) / 2**20
    for v in pairs.values():
        if not v.get("private"):
            v["private"] = v.get("pagefile", 0)
    label = {"mem_long_start": "after start-up", "mem_long_roundtrips": "after %d round trips",
             "mem_long_after_roundtrips": "after %d round trips (end)", "mem_long_presses": "after %d presses",
             "mem_long_after_presses": "after %d presses (end)"}
    for key in order:
        text = label.get(key[0], key[0])
        if "%d" in text:
            text = text % key[1]
        say("| %s | %.2f | %.2f |" % (text, pairs[key].get("private", 0), pairs[key].get("resident", 0)))
    say()
    done = int(long.get("mem_long_roundtrips_done", [0])[0])
    children = int(long.get("mem_long_frame_children", [0])[0])
    # inproc's own test: more than the three title buttons and two panels.
    leaking = children > 3 + 2
    if leaking:
        say("The round trips stopped at %d of 10,000: the program still leaves a hidden calculator" % done)
        say("panel (eleven windows) behind at every round trip (the main frame had %d children), and" % children)
        say("Wine's server gives out near 3,000 of them.")
        say()
    elif done < 10000:
        say("A shortened run: %d round trips." % done)
        say()
    start_p = pairs[order[0]]["private"]
    after_rt = [v["private"] for k, v in pairs.items() if k[0] in ("mem_long_roundtrips", "mem_long_after_roundtrips")]
    after_pr = [v["private"] for k, v in pairs.items() if k[0] in ("mem_long_presses", "mem_long_after_presses")]
    rt_growth = (max(after_rt) - start_p) if after_rt else 0
    pr_growth = (max(after_pr) - min(after_pr)) if after_pr else 0
    say("Growth of private bytes: %.2f MB over %d round trips; %.2f MB from the first to the last press checkpoint." % (
        rt_growth, done, pr_growth))
    say("'Flat' here means under 0.25 MB of growth over each whole run, with all %d round trips done." % 10000)
    say()
    flat = rt_growth < 0.25 and pr_growth < 0.25 and done >= 10000 and not leaking
    goals.append(("Private bytes flat after 10,000 round trips and 100,000 presses",
                  "+%.2f MB / %d round trips, +%.2f MB over the presses" % (rt_growth, done, pr_growth), met(flat)))

# --- size ---
size_path = os.path.join(raw, "size.txt")
if os.path.exists(size_path):
    def sizes(path):
        """The file's size, its sections, the resources, the rest in sections and in the file."""
        lines = open(path).read().splitlines()
        total = int(lines[-1])
        sections = []
        for i, line in enumerate(lines):
            m = re.match(r"\s*\d+\s+(\S+)\s+([0-9a-f]{8})\s+[0-9a-f]+\s+[0-9a-f]+\s+([0-9a-f]{8})", line)
            if m:
                flags = lines[i + 1] if i + 1 < len(lines) else ""
                sections.append((m.group(1), int(m.group(2), 16), int(m.group(3), 16), "CONTENTS" in flags))
        rsrc = sum(s[1] for s in sections if s[0] == ".rsrc")
        rsrc_offsets = [s[2] for s in sections if s[0] == ".rsrc"]
        rest = sum(s[1] for s in sections if s[0] != ".rsrc" and s[3])
        # The file bytes that are not the resource section (headers and alignment included).
        after = sorted(s[2] for s in sections if s[2] > rsrc_offsets[0]) if rsrc_offsets else []
        rsrc_raw = ((after[0] if after else total) - rsrc_offsets[0]) if rsrc_offsets else 0
        return total, sections, rsrc, rest, total - rsrc_raw

    total, sections, rsrc, rest, outside = sizes(size_path)
    product_rest = rest
    say("## Size")
    say()
    say("The 32-bit product `OmbeX+.exe`, %d bytes (%.1f KB), from `i686-w64-mingw32-objdump -h`:" % (
        total, total / 1024))
    say()
    say("| section | bytes |")
    say("|---|---|")
    for name, sz, off, contents in sections:
        say("| %s%s | %d |" % (name, "" if contents else " (not in the file)", sz))
    say()
    say("Resources (.rsrc): %.1f KB. Code and data beyond the resources: %.1f KB in sections" % (rsrc / 1024, rest / 1024))
    say("(%.1f KB of the file with headers and alignment)." % (outside / 1024))
    other = os.path.join(raw, "size_%s.txt" % measured_arch)
    if os.path.exists(other):
        total, _, rsrc, rest, outside = sizes(other)
        say("The measured %s executable: %d bytes; resources %.1f KB, code and data beyond them %.1f KB" % (
            measured_arch, total, rsrc / 1024, rest / 1024))
        say("(%.1f KB of the file)." % (outside / 1024))
    say()
    goals.append(("Code + data beyond resources ≤ 48 KB (32-bit product)", "%.1f KB" % (product_rest / 1024),
                  met(product_rest <= 48 * 1024)))

# --- stages ---
stages = figures("stages.csv")
if stages:
    say("## Where the time goes")
    say()
    say("Each stage alone, in-process, median (and p99 where taken) of many runs, µs:")
    say()
    say("| stage | median µs | p99 µs |")
    say("|---|---|---|")
    for key, v in stages.items():
        if key.endswith("_p99_us") or not key.startswith("stage_"):
            continue
        p99 = stages.get(key[:-3] + "_p99_us")
        say("| %s | %.1f | %s |" % (key[6:-3].replace("_", " "), v[0], "%.1f" % p99[0] if p99 else "–"))
    say()

say("## Goals")
say()
say("| goal | measured | |")
say("|---|---|---|")
for g in goals:
    say("| %s | %s | %s |" % g)
say()
say("Raw runs: `bench/raw/`. Run again with `make bench`.")

print("\n".join(out))
