# make       builds build/OmbeX+.exe
# make run   sets up, builds and starts the program
# make test  sets up, builds and runs every test
# make soak   the long-use tests at full length (a quarter of an hour)
# make bench sets up, builds and runs the benchmarks, writes bench/RESULTS.md
BUILD := build

.PHONY: all configure setup run test soak bench clean

all: configure
	cmake --build $(BUILD) --target OmbeX+ -j2

configure:
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null

setup:
	scripts/setup

run: setup all
	scripts/run

test: setup configure
	cmake --build $(BUILD) -j2
	OMBEX_VIRTUAL=1 scripts/virtual-display ctest --test-dir $(BUILD) --output-on-failure -j2

soak: setup configure
	cmake --build $(BUILD) -j2
	OMBEX_SOAK=1 OMBEX_VIRTUAL=1 scripts/virtual-display ctest --test-dir $(BUILD) --output-on-failure -R long_use

bench: setup configure
	bench/run

clean:
	rm -rf $(BUILD)
