# make       builds build/OmbeX+.exe (32-bit) and build-x64/OmbeX+.exe (64-bit)
# make run   sets up, builds and starts the program
# make test  sets up, builds and runs every test
# make soak  the long-use tests at full length (a quarter of an hour)
# make stress N=30  the tests under Wine N times over, the other core busy
# make bench sets up, builds and runs the bench, prints its table and writes
#            bench/RESULTS.md (BENCH_QUICK=1: a trial in about a minute)
# make test-wine10  the Wine-run tests of both builds under Wine 10, in a
#            Debian 13 chroot made once in build/wine10-root (REPEAT=N rounds)
# make dist  builds both and packs the release zip for users in dist/
#            (SIGN_CERT=, SIGN_KEY=, SIGN_TSA=, MINISIGN_KEY= sign it; RELEASE_URL=: see README)
# make verify-release ZIP=dist/OmbeX-Plus-VERSION.zip  builds the commit that
#            the zip's BUILDINFO names afresh and compares it with the zip
# make clean removes the builds and dist/, taking down first anything still
#            mounted below them
# OMBEX_ARCH=x86_64 (or i686) chooses the executable that runs under Wine;
# by default scripts/arch decides from what this machine can run.
N := 10
REPEAT := 1

.PHONY: all build setup run test soak stress bench test-wine10 dist verify-release clean
# Each step builds with both cores itself, and a step's settings are checked
# before the next one starts.
.NOTPARALLEL:

# Bad settings are refused in one line, before anything is set up or built:
# scripts/lib judges the numbers of rounds, scripts/arch the architecture.
refusal := $(if $(filter stress,$(MAKECMDGOALS)),$(shell bash scripts/lib rounds N '$(N)' 2>&1)) \
	$(if $(filter test-wine10,$(MAKECMDGOALS)),$(shell bash scripts/lib rounds REPEAT '$(REPEAT)' 2>&1)) \
	$(if $(OMBEX_ARCH),$(shell OMBEX_ARCH='$(OMBEX_ARCH)' scripts/arch 2>&1 >/dev/null))
$(if $(strip $(refusal)),$(error $(strip $(refusal))))

# The one rule that builds both executables; `make` alone builds only them,
# every other target everything.
all: TARGETS := OmbeX+
all: build
build:
	scripts/build $(TARGETS)

setup:
	scripts/setup

run: TARGETS := OmbeX+
run: setup build
	scripts/run

test: setup build
	scripts/test

soak: setup build
	scripts/test soak

stress: setup build
	scripts/test --repeat $(N)

bench: setup
	bench/run

test-wine10: setup build
	REPEAT=$(REPEAT) scripts/test-wine10

dist: TARGETS := OmbeX+
dist: build
	scripts/dist

verify-release:
	scripts/verify-release "$(ZIP)"

clean:
	scripts/clean
