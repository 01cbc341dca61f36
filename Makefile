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
	$(BUILD)/src/cli/vellicor-cli units format 1250 158.75

bench: build
	@set -e; found=0; for b in $(BUILD)/bench/bench_*; do \
	  if [ -x "$$b" ]; then found=1; "$$b"; fi; done; \
	  [ $$found = 1 ] || echo "no benchmarks yet"

clean:
	rm -rf $(BUILD)
