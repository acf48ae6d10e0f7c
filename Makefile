# Keldar: the two commands of the README, and the single steps behind them.
#
#   make demo    build and run a few representative commands
#   make test    build every configuration and run every test suite
#
# Both install missing Debian packages first (as root, or through sudo).

SHELL := /bin/bash
JOBS ?= 2
export JOBS

WINEPREFIX := $(CURDIR)/build/wineprefix
export WINEPREFIX
export WINEDEBUG := -all
export WINEDLLOVERRIDES := mscoree,mshtml=

.PHONY: test demo deps build windows windows32 asan unit e2e e2e-wine clean

test: deps
	@bash .ci/test-all

# The demo needs only the programs and the simulated RFC library: a tree of
# its own without the test programs, so it needs neither GoogleTest nor the
# cross compilers nor Wine.
demo:
	@bash .ci/deps demo
	@cmake -S . -B build/demo -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELDAR_TESTS=OFF >/dev/null
	@cmake --build build/demo -j $(JOBS) --target keldar keldar-halvenor keldar-dravosk keldar-profile rfccm
	@bash demo/run-demo.sh build/demo/bin

deps:
	@bash .ci/deps

# Single configurations, for working on one of them.
build: deps
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build build -j $(JOBS)

windows: deps
	@cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
	@cmake --build build/windows -j $(JOBS)

windows32: deps
	@cmake -S . -B build/windows32 -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DKELDAR_TESTS=OFF >/dev/null
	@cmake --build build/windows32 -j $(JOBS)

asan: deps
	@cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKELDAR_SANITIZE=ON >/dev/null
	@cmake --build build/asan -j $(JOBS)

# The inner loop while working on the code: build the Linux tree and run the
# unit tests, e.g. make unit FILTER='Messages.*'.
FILTER ?= *
unit:
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build build -j $(JOBS) --target keldar_unit_tests
	@build/bin/keldar_unit_tests --gtest_filter='$(FILTER)'

# The end-to-end suite alone, on one leg.
e2e: build
	@build/bin/keldar_e2e --bin build/bin

e2e-wine: build windows
	@test -f $(WINEPREFIX)/system.reg || { wineboot -i && wineserver -w; }
	@build/bin/keldar_e2e --bin build/windows/bin --wine

clean:
	rm -rf build
