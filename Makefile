# The two commands of the README: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps configure build test run bench clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	$(BUILD)/src/cli/vellicor-cli show examples/sample.json 2>/dev/null || \
	  $(BUILD)/src/cli/vellicor-cli units format 1250 158.75

bench: build
	@if [ -d $(BUILD)/bench ]; then for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done; \
	else echo "no benchmarks yet"; fi

clean:
	rm -rf $(BUILD)
