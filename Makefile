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

# With a display the desktop application opens the sample job; without one the command line tool
# optimises it and prints the result.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/src/app/vellicor examples/sample.vcj; \
	else \
	  $(BUILD)/src/cli/vellicor-cli optimise examples/sample.vcj; \
	  echo; echo "No display: start the window with $(BUILD)/src/app/vellicor examples/sample.vcj"; \
	fi

bench: build
	@set -e; found=0; for b in $(BUILD)/bench/bench_*; do \
	  if [ -x "$$b" ]; then found=1; "$$b"; fi; done; \
	  [ $$found = 1 ] || echo "no benchmarks yet"

clean:
	rm -rf $(BUILD)
