#!/usr/bin/env python3
"""Prints RESULTS.md from the facts (run.txt), raw samples (samples.csv) and
the measured executable's sections (sections.txt) that bench/run kept."""
import csv, math, os, statistics, sys

folder = sys.argv[1]
facts = dict(line.rstrip("\n").split("=", 1) for line in open(os.path.join(folder, "run.txt")))
samples = {}
for figure, side, value in csv.reader(open(os.path.join(folder, "samples.csv"))):
    samples.setdefault((figure, side), []).append(float(value))

# Each figure: its samples' name, its row, its decimals, and what its
# figures mean, given its program and floor medians.
FIGURES = [
    ("startup", "start-up, ms", 1, lambda p, f: (
        "**Start-up**: from just before the process starts to its complete first picture, seen "
        "from outside, Wine's desktop process kept alive. The program's classes, pictures, panel "
        "and controls cost %+.1f ms over a bare popup of the same size." % (p - f))),
    ("press_calculator", "press, calculator, ms", 2, None),
    ("press_converter_single", "press, converter, single result, ms", 2, None),
    ("press_converter_paired", "press, converter, paired result, ms", 2, lambda p, f: (
        "**Presses**: the press floor answers the same click on the program's own panel with the "
        "platform calls that the press makes, without the program's logic. A ratio is what that "
        "logic adds (%s ms at the median) to a press that is mostly the platform's repaint." % ", ".join(
            "%+.2f" % (statistics.median(samples[k, "program"]) - statistics.median(samples[k, "floor"]))
            for k in ("press_calculator", "press_converter_single", "press_converter_paired")))),
    ("swap", "swap round trip, ms", 2, lambda p, f: (
        "**Swap round trip**: the swap floor makes and destroys plain panels with controls like "
        "the program's. The skin, the rounded region and the program's logic cost %+.2f ms a "
        "round trip." % (p - f))),
    ("memory", "private memory after start-up, MB", 2, lambda p, f: (
        "**Memory**: the private bytes of a fresh `bench.exe` once started. The program's %+.2f MB "
        "over the bare popup are its windows, its pictures and the version 6 controls that its "
        "manifest brings in; `make soak` watches memory over long use." % (p - f))),
]
# The 32-bit product's code and data beyond its resources may not pass this.
LIMIT_KB = 48


def stats(values):
    ordered = sorted(values)
    return (len(values), statistics.median(values), ordered[math.ceil(0.99 * len(values)) - 1],
            ordered[0], ordered[-1])


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
print("| figure | n | median | p99 | min–max | floor median | floor p99 | floor min–max "
      "| × floor, median | × floor, p99 |")
print("|---|---|---|---|---|---|---|---|---|---|")
notes = []
for key, name, places, meaning in FIGURES:
    (n, pm, p99, lo, hi), (_, fm, f99, flo, fhi) = (stats(samples[key, s]) for s in ("program", "floor"))
    print("| %s | %d | %.*f | %.*f | %.*f–%.*f | %.*f | %.*f | %.*f–%.*f | **%.2f×** | %.2f× |" % (
        name, n, places, pm, places, p99, places, lo, places, hi, places, fm, places, f99,
        places, flo, places, fhi, pm / fm, p99 / f99))
    if meaning:
        notes.append(meaning(pm, fm))
kb = beyond_resources() / 1024
print("\nCode and data beyond the resources: %.1f KB, %s.\n" % (kb, (
    "of the %d KB that the 32-bit product may take" % LIMIT_KB) if facts["arch"] == "i686"
    else "in this 64-bit build (the %d KB limit is the 32-bit product's)" % LIMIT_KB))
notes.append("Program and floor take turns, so that other work on the machine falls on both; "
             "it still widens the 99th percentiles more than the medians. `bench/README.md` says "
             "how each figure is taken.")
print("\n\n".join(notes))
