#!/usr/bin/env python3
"""Prints RESULTS.md from run.txt and samples.csv (bench/run). A sample,
"figure,side,answerer,value", that another side's code answered ends it in one line."""
import csv, math, os, statistics, sys

FRAME_MS = 1000 / 60   # a display's frame
INSTANT_MS = 100       # within which a response feels instant
QUIET_LOAD = 1         # a load average below which the machine is quiet
NAMED_RATIO = 1.05     # a same-work ratio above which the row is named
FLOORS = {"floor": "same work", "bare": "bare popup"}
# Each row: figure, name, floor, unit, decimals, and block (one start or process, or ten presses or round trips, of each side).
ROWS = [("startup", "start-up", "floor", "ms", 1, 1), ("startup", "start-up", "bare", "ms", 1, 1),
        ("press_calculator", "press, calculator", "floor", "ms", 2, 10),
        ("press_converter_single", "press, converter, single result", "floor", "ms", 2, 10),
        ("press_converter_paired", "press, converter, paired result", "floor", "ms", 2, 10),
        ("swap", "swap round trip", "floor", "ms", 2, 10),
        ("memory", "private memory after start-up", "floor", "MB", 2, 1),
        ("memory", "private memory after start-up", "bare", "MB", 2, 1)]
INTRODUCTION = (
    "# Bench\n\nOne run of `%(command)s` on %(date)s, at commit `%(commit)s`, of `%(executable)s` (%(arch)s: "
    "%(why)s, says `scripts/arch`): start-up is that executable itself, the other figures its code "
    "(`ombex_core`) linked into `bench.exe` of the same build. %(machine)s; %(wine)s. Load average (1, 5, 15 "
    "minutes) %(load_start)s at the start, %(load_end)s at the end: %(quiet)s\n")
HEADER = ("| figure | floor | n | median | p99 | floor median | floor p99 | × floor, median | × floor, p99 "
          "| program's share over floor: blocks' median | middle half of blocks |\n" + "|---" * 11 + "|")
FOR_A_USER = (
    "**For a user**: a display shows a new frame every %.1f ms. The slowest press takes %.1f ms at the 99th "
    "percentile, %s; a swap, half a round trip, %.1f ms at the median, %s. Start-up takes %.0f ms at the "
    "median, %s the %d ms within which a response feels instant. `bench/README.md` says how each figure is "
    "taken, and names the step of the program that costs a ratio named here.")


def p99(values):
    return sorted(values)[math.ceil(0.99 * len(values)) - 1]


def frames(ms):
    return "within one frame" if ms <= FRAME_MS else "%d frames" % math.ceil(ms / FRAME_MS)


def row(samples, figure, name, side, unit, places, block):
    """One row, with the program's share over the floor block by block, and its name where its ratio is high."""
    program, floor = samples[figure, "program"], samples[figure, side]
    cells = [statistics.median(program), p99(program), statistics.median(floor), p99(floor)]
    blocks = [statistics.median(program[i:i + block]) - statistics.median(floor[i:i + block])
              for i in range(0, len(program), block)]
    low, _, high = statistics.quantiles(blocks, n=4) if len(blocks) > 1 else blocks * 3
    ratio = cells[0] / cells[2]
    print("| %s, %s | %s | %d | %s | **%.2f×** | %.2f× | **%+.*f %s** | %+.*f to %+.*f |" % (
        name, unit, FLOORS[side], len(program), " | ".join("%.*f" % (places, c) for c in cells), ratio,
        cells[1] / cells[3], places, statistics.median(blocks), unit, places, low, places, high))
    return ["%s (%.2f×)" % (name, ratio)] if side == "floor" and ratio > NAMED_RATIO else []


folder = sys.argv[1]
facts = dict(line.rstrip("\n").split("=", 1) for line in open(os.path.join(folder, "run.txt")))
samples = {}
for figure, side, answerer, value in csv.reader(open(os.path.join(folder, "samples.csv"))):
    if answerer != side:
        sys.exit("bench: a %s sample of the %s was answered by the %s" % (figure, side, answerer))
    samples.setdefault((figure, side), []).append(float(value))
quiet = float(facts["load_start"].split()[0]) < QUIET_LOAD
print(INTRODUCTION % dict(facts, quiet="a quiet machine." if quiet else "**not a quiet machine**, so a trial, not a result."))
print(HEADER)
named = sum((row(samples, *each) for each in ROWS), [])
print("\nRatios to a same-work floor above %.2f× at the median: %s.\n" % (NAMED_RATIO, ", ".join(named) or "none"))
worst = max(p99(samples[figure, "program"]) for figure, *_ in ROWS if figure.startswith("press"))
swap = statistics.median(samples["swap", "program"]) / 2
start = statistics.median(samples["startup", "program"])
print(FOR_A_USER % (FRAME_MS, worst, frames(worst), swap, frames(swap), start,
                    "within" if start <= INSTANT_MS else "beyond", INSTANT_MS))
