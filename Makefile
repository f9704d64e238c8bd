# Dustvane
#   make run    build Dustvane.exe and start it under Wine (without a display:
#               on a private Xvfb, saving build/screenshot.png)
#   make test   build everything and run every test suite
# Both install missing tools first (scripts/deps.sh; Debian 12, as root).
# Helper targets: deps, native, windows, fuzz, prefix, bench, soak, dist, clean.

SHELL := /bin/bash
export JOBS ?= 2

.PHONY: run test deps native windows fuzz prefix bench soak dist clean

run: deps
	bash scripts/build.sh windows Dustvane
	bash scripts/run.sh

test: deps
	bash scripts/test.sh

deps:
	@bash scripts/deps.sh

native windows fuzz: deps
	bash scripts/build.sh $@

prefix: deps
	bash scripts/wine-prefix.sh

# Benchmarks print figures. Each bench/<name>_bench.cpp is built in the windows
# build and run under Wine, through scripts/bench-<name>.sh when there is one.
bench: deps
	@set -e; names=$$(for f in bench/*_bench.cpp; do [[ -f $$f ]] && basename $$f .cpp; done); \
	[[ -n $$names ]] || { echo "no benchmarks in bench/"; exit 0; }; \
	bash scripts/build.sh windows $$names; \
	for n in $$names; do \
	  echo "== $$n"; script=scripts/bench-$${n%_bench}.sh; \
	  if [[ -f $$script ]]; then bash $$script; else bash scripts/wine-exec.sh build/windows/$$n.exe; fi; \
	done

# Soak: CYCLES (default 20) cycles of search, backup-mode Delete All and Recovery on 10,000
# files in the real window; prints each cycle's figures and fails when a file comes back
# different or the program's handles or memory grow.
CYCLES ?= 20
soak: deps
	bash scripts/build.sh windows soak
	DV_NEEDS_DISPLAY=1 DV_TIMEOUT=21600 bash scripts/wine-exec.sh build/windows/soak.exe $(CYCLES)

# The Windows packages in build/dist/: the portable zip and the installer.
dist: deps
	bash scripts/build.sh windows Dustvane
	python3 scripts/dist.py

clean:
	rm -rf build
