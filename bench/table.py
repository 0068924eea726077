#!/usr/bin/env python3
"""Prints RESULTS.md from run.txt, samples.csv and sections.txt (bench/run)."""
import csv, math, os, statistics, sys

folder = sys.argv[1]
facts = dict(line.rstrip("\n").split("=", 1) for line in open(os.path.join(folder, "run.txt")))
samples = {}
for figure, side, value in csv.reader(open(os.path.join(folder, "samples.csv"))):
    samples.setdefault((figure, side), []).append(float(value))
PRESSES = ["press_calculator", "press_converter_single", "press_converter_paired"]
# Each row: its samples, its name, its floor, its unit and decimals.
ROWS = [("startup", "start-up", "floor", "ms", 1), ("startup", "start-up", "bare", "ms", 1),
        (PRESSES[0], "press, calculator", "floor", "ms", 2), (PRESSES[1], "press, converter, single result",
        "floor", "ms", 2), (PRESSES[2], "press, converter, paired result", "floor", "ms", 2),
        ("swap", "swap round trip", "floor", "ms", 2), ("memory", "private memory after start-up", "floor", "MB", 2),
        ("memory", "private memory after start-up", "bare", "MB", 2)]
LIMIT_KB, FRAME_MS, INSTANT_MS = 48, 1000 / 60, 100
p99 = lambda values: sorted(values)[math.ceil(0.99 * len(values)) - 1]
median = lambda key, side="program": statistics.median(samples[key, side])
frames = lambda ms: "within one frame" if ms <= FRAME_MS else "%d frames" % math.ceil(ms / FRAME_MS)


def share(key, side="floor"):
    """The program's share over the floor in each block (one start or process,
    or ten presses or round trips, each): their median and middle half."""
    size = 1 if key in ("startup", "memory") else 10
    p, f = samples[key, "program"], samples[key, side]
    blocks = [statistics.median(p[i:i + size]) - statistics.median(f[i:i + size]) for i in range(0, len(p), size)]
    quartiles = statistics.quantiles(blocks, n=4) if len(blocks) > 1 else blocks * 3
    return statistics.median(blocks), quartiles[0], quartiles[2]


lines = open(os.path.join(folder, "sections.txt")).read().splitlines() + [""]
kb = sum(int(line.split()[2], 16) for line, flags in zip(lines, lines[1:])
         if len(line.split()) == 7 and line.split()[1] != ".rsrc" and "CONTENTS" in flags) / 1024
print(("# Bench\n\nOne run of `%(command)s` on %(date)s, at commit `%(commit)s`, of `%(executable)s` (%(arch)s: %(why)s, "
       "says `scripts/arch`): start-up is that executable itself, the other figures its code (`ombex_core`) linked "
       "into `bench.exe` of the same build. %(machine)s; %(wine)s. Load average (1, 5, 15 minutes) %(load_start)s at "
       "the start, %(load_end)s at the end: %(quiet)s\n") % dict(facts, quiet="a quiet machine." if float(
           facts["load_start"].split()[0]) < 1 else "**not a quiet machine**, so a trial, not a result."))
print("| figure | floor | n | median | p99 | floor median | floor p99 | × floor, median | × floor, p99 "
      "| program's share over floor: blocks' median | middle half of blocks |\n" + "|---" * 11 + "|")
above = []
for key, name, side, unit, places in ROWS:
    p, f = samples[key, "program"], samples[key, side]
    cells, (mid, low, high) = [statistics.median(p), p99(p), statistics.median(f), p99(f)], share(key, side)
    above += ["%s (%.2f×)" % (name, cells[0] / cells[2])] if side == "floor" and cells[0] / cells[2] > 1.05 else []
    print("| %s, %s | %s | %d | %s | **%.2f×** | %.2f× | **%+.*f %s** | %+.*f to %+.*f |" % (
        name, unit, "same work" if side == "floor" else "bare popup", len(p), " | ".join(
            "%.*f" % (places, c) for c in cells), cells[0] / cells[2], cells[1] / cells[3], places, mid, unit,
        places, low, places, high))
worst, swap, start = max(p99(samples[k, "program"]) for k in PRESSES), median("swap") / 2, median("startup")
print("\n\n".join([
    "\nCode and data beyond the resources: %.1f KB, %s." % (kb, (
        "of the %d KB that the 32-bit product may take" % LIMIT_KB) if facts["arch"] == "i686"
        else "in this 64-bit build (the %d KB limit is the 32-bit product's)" % LIMIT_KB),
    "**Start-up**, from just before the process starts to its complete first picture, seen from outside, with "
    "Wine's desktop process kept up: the same-work floor makes the program's classes, pictures, frame, panel, "
    "region and controls from facts read off the program's windows, without its code. The program adds "
    "%+.1f ms to that work, which takes %+.1f ms over a bare popup." % (
        share("startup")[0], median("startup", "floor") - median("startup", "bare")),
    "**For a user**: a display shows a new frame every %.1f ms. The slowest press takes %.1f ms at the 99th "
    "percentile, %s; a swap, half a round trip, %.1f ms at the median, %s. Start-up takes %.0f ms at the "
    "median, %s the %d ms within which a response feels instant." % (
        FRAME_MS, worst, frames(worst), swap, frames(swap), start,
        "within" if start <= INSTANT_MS else "beyond", INSTANT_MS),
    "Ratios to a same-work floor above 1.05× at the median: %s." % (", ".join(above) or "none") + (
        " `bench/README.md` names the step of the program that costs it." if above else ""),
    "Program and floors take turns, so that other work on the machine falls on all alike; it still widens the "
    "99th percentiles more than the medians. `bench/README.md` says how each figure is taken."]))
