BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench screenshot clean

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

screenshot: configure
	cmake --build $(BUILD) -j $(JOBS) --target screenshot
	tests/support/run-test $(BUILD)/screenshot $(CURDIR)/$(BUILD)/screenshot.png $(SHOT_ARGS)

clean:
	rm -rf $(BUILD)
