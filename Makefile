# make       builds build/OmbeX+.exe (32-bit) and build-x64/OmbeX+.exe (64-bit)
# make run   sets up, builds and starts the program
# make test  sets up, builds and runs every test
# make soak  the long-use tests at full length (a quarter of an hour)
# make stress N=30  the tests under Wine N times over, the other core busy
# make bench sets up, builds and runs the bench, prints its table and writes
#            bench/RESULTS.md (BENCH_QUICK=1: a trial in about a minute)
# make test-wine10  the Wine-run tests of both builds under Wine 10, in a
#            Debian 13 chroot made once in build/wine10-root (REPEAT=N rounds)
# make dist  builds both and packs dist/OmbeX+-VERSION.zip for users
#            (SIGN_CERT=, SIGN_KEY=, MINISIGN_KEY= sign it; RELEASE_URL=: see README)
# OMBEX_ARCH=x86_64 (or i686) chooses the executable that runs under Wine;
# by default scripts/arch decides from what this machine can run.
BUILD := build
BUILD64 := build-x64

.PHONY: all configure setup run test soak stress bench test-wine10 dist clean

all: configure
	cmake --build $(BUILD) --target OmbeX+ -j2
	cmake --build $(BUILD64) --target OmbeX+ -j2

configure:
	@[ -f $(BUILD)/CMakeCache.txt ] || cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
	@[ -f $(BUILD64)/CMakeCache.txt ] || cmake -S . -B $(BUILD64) -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null

setup:
	scripts/setup

run: setup all
	scripts/run

test: setup configure
	cmake --build $(BUILD) -j2
	cmake --build $(BUILD64) -j2
	scripts/test

soak: setup configure
	cmake --build $(BUILD) -j2
	cmake --build $(BUILD64) -j2
	scripts/test soak

N := 10
stress: setup configure
	cmake --build $(BUILD) -j2
	cmake --build $(BUILD64) -j2
	scripts/test --repeat $(N)

bench: setup
	bench/run

test-wine10: setup configure
	cmake --build $(BUILD) -j2
	cmake --build $(BUILD64) -j2
	REPEAT=$(REPEAT) scripts/test-wine10

dist: all
	scripts/dist

clean:
	rm -rf $(BUILD) $(BUILD64) dist
