#!/usr/bin/env bash
# The bench's table from made-up samples whose ratios and shares are known,
# a row of each kind; a sample that the other side answered is refused.
. "$SOURCE_DIR/tests/lib.sh"
printf '%s\n' command=c executable=e arch=x86_64 why=w date=d commit=c machine=m wine=w load_start=0 \
    load_end=0 >run.txt
# samples FIGURE SIDE BLOCK VALUE...: BLOCK samples of each value.
samples() {
    local value i
    for value in "${@:4}"; do
        for ((i = 0; i < $3; i++)); do echo "$1,$2,$2,$value"; done
    done >>samples.csv
}
samples startup program 1 110 120 130 140 && samples startup floor 1 100 100 100 100
samples startup bare 1 60 60 60 60
for figure in press_calculator press_converter_single press_converter_paired swap; do
    samples $figure program 10 3 4 5 6 && samples $figure floor 5 2 4 2 2 0 2 2 2
done
samples memory program 1 10 11 12 13 && samples memory floor 1 9 9 9 9 && samples memory bare 1 5 5 5 5
python3 "$SOURCE_DIR/bench/table.py" . >table.md
row() { check "$1" grep -qF "| $1 | $2 |" table.md; }
row "start-up, ms | same work" "4 | 125.0 | 140.0 | 100.0 | 100.0 | **1.25×** | 1.40× | **+25.0 ms** | +12.5 to +37.5"
row "start-up, ms | bare popup" "4 | 125.0 | 140.0 | 60.0 | 60.0 | **2.08×** | 2.33× | **+65.0 ms** | +52.5 to +77.5"
row "press, converter, paired result, ms | same work" \
    "40 | 4.50 | 6.00 | 2.00 | 4.00 | **2.25×** | 1.50× | **+3.00 ms** | +0.50 to +4.00"
row "private memory after start-up, MB | bare popup" \
    "4 | 11.50 | 13.00 | 5.00 | 5.00 | **2.30×** | 2.60× | **+6.50 MB** | +5.25 to +7.75"
check "a high ratio named" grep -qF "median: start-up (1.25×), press, calculator (2.25×)," table.md
echo press_calculator,program,floor,3 >>samples.csv
check "a sample that the other side answered" \
    refuses "press_calculator sample of the program was answered by the floor" python3 "$SOURCE_DIR/bench/table.py" .
