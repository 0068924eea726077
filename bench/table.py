#!/usr/bin/env python3
"""Prints RESULTS.md from the facts (run.txt), raw samples (samples.csv) and
the measured executable's sections (sections.txt) that bench/run kept."""
import csv, math, os, statistics, sys

folder = sys.argv[1]
facts = dict(line.rstrip("\n").split("=", 1) for line in open(os.path.join(folder, "run.txt")))
samples = {}
for figure, side, value in csv.reader(open(os.path.join(folder, "samples.csv"))):
    samples.setdefault((figure, side), []).append(float(value))
# Each row: its samples' name, its name, the floor's side, its unit and decimals.
ROWS = [("startup", "start-up", "floor", "ms", 1), ("startup", "start-up", "bare", "ms", 1),
        ("press_calculator", "press, calculator", "floor", "ms", 2),
        ("press_converter_single", "press, converter, single result", "floor", "ms", 2),
        ("press_converter_paired", "press, converter, paired result", "floor", "ms", 2),
        ("swap", "swap round trip", "floor", "ms", 2),
        ("memory", "private memory after start-up", "floor", "MB", 2),
        ("memory", "private memory after start-up", "bare", "MB", 2)]
FLOORS = {"floor": "same work", "bare": "bare popup"}
LIMIT_KB = 48   # the 32-bit product's code and data beyond its resources
FRAME_MS, INSTANT_MS = 1000 / 60, 100


def p99(values):
    return sorted(values)[math.ceil(0.99 * len(values)) - 1]


def median(key, side="program"):
    return statistics.median(samples[key, side])


def share(key, side):
    """The program's share over the floor in each block (one start or
    process each, or ten presses or round trips each, taken in turn): their
    median, and the middle half of them."""
    size = 1 if key in ("startup", "memory") else 10
    p, f = samples[key, "program"], samples[key, side]
    blocks = [statistics.median(p[i:i + size]) - statistics.median(f[i:i + size]) for i in range(0, len(p), size)]
    quartiles = statistics.quantiles(blocks, n=4) if len(blocks) > 1 else blocks * 3
    return statistics.median(blocks), quartiles[0], quartiles[2]


def beyond_resources():
    """The sections that the file holds, the resources aside, in bytes."""
    lines = open(os.path.join(folder, "sections.txt")).read().splitlines() + [""]
    return sum(int(line.split()[2], 16) for line, flags in zip(lines, lines[1:])
               if len(line.split()) == 7 and line.split()[1] != ".rsrc" and "CONTENTS" in flags)


quiet = float(facts["load_start"].split()[0]) < 1
print("# Bench\n")
print("One run of `%s` on %s, at commit `%s`, of `%s` (%s: %s, says `scripts/arch`): start-up "
      "is that executable itself, the other figures its code (`ombex_core`) linked into `bench.exe` "
      "of the same build. %s; %s. Load average (1, 5, 15 minutes) %s at the start, %s at the end: %s\n"
      % (facts["command"], facts["date"], facts["commit"], facts["executable"], facts["arch"],
         facts["why"], facts["machine"], facts["wine"], facts["load_start"], facts["load_end"],
         "a quiet machine." if quiet else "**not a quiet machine**, so a trial, not a result."))
print("| figure | floor | n | median | p99 | floor median | floor p99 | × floor, median | × floor, p99 "
      "| share over floor (blocks' median) | middle half of blocks |")
print("|---|---|---|---|---|---|---|---|---|---|---|")
above = []
for key, name, side, unit, places in ROWS:
    p, f = samples[key, "program"], samples[key, side]
    cells = [statistics.median(p), p99(p), statistics.median(f), p99(f)]
    ratio = cells[0] / cells[2]
    if side == "floor" and ratio > 1.05:
        above.append("%s (%.2f×)" % (name, ratio))
    print("| %s, %s | %s | %d | %s | **%.2f×** | %.2f× | **%+.*f %s** | %+.*f to %+.*f |" % (
        name, unit, FLOORS[side], len(p), " | ".join("%.*f" % (places, c) for c in cells), ratio,
        cells[1] / cells[3], places, share(key, side)[0], unit, places, share(key, side)[1], places,
        share(key, side)[2]))
kb = beyond_resources() / 1024
print("\nCode and data beyond the resources: %.1f KB, %s.\n" % (kb, (
    "of the %d KB that the 32-bit product may take" % LIMIT_KB) if facts["arch"] == "i686"
    else "in this 64-bit build (the %d KB limit is the 32-bit product's)" % LIMIT_KB))
presses = ["press_calculator", "press_converter_single", "press_converter_paired"]
start, swap, bare = median("startup"), median("swap"), median("startup", "bare")
worst = max(p99(samples[k, "program"]) for k in presses)
print("\n\n".join([
    "**Start-up**, from just before the process starts to its complete first picture, seen from "
    "outside, Wine's desktop process kept alive: the same-work floor makes the program's classes, "
    "pictures, frame, panel, region and controls without its code, so the program's own share is "
    "%+.1f ms; the bare popup's start takes %.1f ms of the program's %.1f." % (share("startup", "floor")[0], bare, start),
    "**Presses**: the press floor answers the same click on the program's own panel with the "
    "platform calls that the press makes, without the program's logic, which adds %s ms at the "
    "median to a press that is mostly the platform's repaint." % ", ".join(
        "%+.2f" % share(k, "floor")[0] for k in presses),
    "**Swap round trip**: the same-work floor makes, shows and destroys the same panels in the "
    "program's order; the program's logic adds %+.2f ms a round trip." % share("swap", "floor")[0],
    "**Memory**: the private bytes of a fresh `bench.exe` once started: %+.2f MB over the same "
    "windows made by the floor, %+.2f MB over the bare popup; `make soak` watches memory over long "
    "use." % (share("memory", "floor")[0], share("memory", "bare")[0]),
    "**For a user**: a display shows a new frame every %.1f ms. The slowest press takes %.1f ms at "
    "the 99th percentile, %s; a swap, half a round trip, about %.0f ms at the median, %s. Start-up "
    "takes %.0f ms at the median, %s the %d ms within which a response feels instant." % (
        FRAME_MS, worst, "within one frame" if worst <= FRAME_MS else "%d frames" % math.ceil(worst / FRAME_MS),
        swap / 2, "within one frame" if swap / 2 <= FRAME_MS else "%d frames" % math.ceil(swap / 2 / FRAME_MS),
        start, "within" if start <= INSTANT_MS else "beyond", INSTANT_MS),
    "Ratios to a same-work floor above 1.05× at the median: %s." % (", ".join(above) or "none")
    + (" `bench/README.md` says which step of the program costs it." if above else ""),
    "Program and floors take turns, so that other work on the machine falls on all alike; it still "
    "widens the 99th percentiles more than the medians. `bench/README.md` says how each figure is "
    "taken."]))
