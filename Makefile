BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench bench-sites screenshot fuzz soak clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD) -G Ninja

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# The engine's sandbox cannot run as root; a root session (a container, a CI
# box) starts the program without it.
run: build
	@if [ "$$(id -u)" = 0 ]; then QTWEBENGINE_DISABLE_SANDBOX=1 $(BUILD)/vorlan; else $(BUILD)/vorlan; fi

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: configure
	cmake --build $(BUILD) -j $(JOBS) --target bench_grid bench_print bench_tint bench_lifecycle
	scripts/run-bench $(BUILD)

# The program against Chromium on the same loopback sites (installs chromium
# for itself; needs xvfb-run).
bench-sites: build
	cmake --build $(BUILD) -j $(JOBS) --target bench_sites
	scripts/run-site-bench $(BUILD)

screenshot: configure
	cmake --build $(BUILD) -j $(JOBS) --target screenshot
	tests/support/run-test $(BUILD)/screenshot $(CURDIR)/$(BUILD)/screenshot.png $(SHOT_ARGS)

# The file readers under libFuzzer with the address and undefined behaviour
# sanitizers, in a clang build of their own, each for FUZZ_SECONDS on its
# seeds (FUZZ_TARGETS="settings jpeg" runs some only).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 600
FUZZ_TARGETS ?=
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DVORLAN_FUZZ=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_all
	scripts/run-fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# The saves under kill -9 (SOAK_ROUNDS rounds), then 64 panes opened and
# closed 20 times with the memory after each round.
SOAK_ROUNDS ?= 1000
soak: build
	cmake --build $(BUILD) -j $(JOBS) --target bench_soak
	scripts/soak-kill $(BUILD) $(SOAK_ROUNDS)
	tests/support/run-test $(BUILD)/bench_soak

clean:
	rm -rf $(BUILD) $(FUZZ_BUILD)
