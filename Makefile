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
WINEPREFIX32 := $(CURDIR)/build/wineprefix32
export WINEPREFIX
export WINEDEBUG := -all
export WINEDLLOVERRIDES := mscoree,mshtml=
# Each Wine leg names its loader: Debian's "wine" starts the 32-bit loader
# whenever wine32 is installed, which fails where 32-bit programs cannot run.
WINE64 := /usr/lib/wine/wine64
WINE32 := /usr/lib/wine/wine

.PHONY: test demo deps build windows windows32 asan unit e2e e2e-wine e2e-wine32 package package-test fuzz clean

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

# The benchmarks (docs/performance.md): a Release tree of their own in
# build/bench/, tables on the console and in build/bench/report/. Not part
# of make test: the benchmarks report, the tests check results.
.PHONY: bench
bench:
	@bash .ci/deps bench
	@bash bench/run-bench.sh

deps:
	@bash .ci/deps

# The fuzz targets (fuzz/README.md), each for FUZZ_SECONDS seconds, in a
# clang tree of their own (build/fuzz/). make test runs them briefly.
FUZZ_SECONDS ?= 60
fuzz:
	@bash .ci/deps fuzz
	@bash fuzz/run-fuzz.sh $(FUZZ_SECONDS)

# Single configurations, for working on one of them.
build: deps
	@cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build build -j $(JOBS)

windows: deps
	@cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
	@cmake --build build/windows -j $(JOBS)

windows32: deps
	@cmake -S . -B build/windows32 -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
	  -DKELDAR_TESTS=ON >/dev/null
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
	@test -f $(WINEPREFIX)/system.reg || { $(WINE64) wineboot -i && wineserver -w; }
	@WINELOADER=$(WINE64) KELDAR_WINE=$(WINE64) build/bin/keldar_e2e --bin build/windows/bin --wine

e2e-wine32: build windows32
	@test -f $(WINEPREFIX32)/system.reg || \
	  { WINEPREFIX=$(WINEPREFIX32) WINEARCH=win32 $(WINE32) wineboot -i && WINEPREFIX=$(WINEPREFIX32) wineserver -w; }
	@WINEPREFIX=$(WINEPREFIX32) KELDAR_WINE=$(WINE32) build/bin/keldar_e2e --bin build/windows32/bin --wine32

# The release archives of the three platforms in dist/ (docs/install.md),
# from Release trees of their own (build/pkg-*).
package:
	@bash .ci/deps package
	@bash packaging/build-archives.sh

# The archives of make package, tested as an admin uses them: the Linux one
# natively, the Windows x64 one under Wine, the 32-bit one under 32-bit Wine
# or, where this machine cannot run 32-bit programs, for its content only.
# (make test packs and tests archives of its own trees the same way.)
package-test: deps package
	@test -f $(WINEPREFIX)/system.reg || { $(WINE64) wineboot -i && wineserver -w; }
	@bash packaging/test-package.sh dist/keldar-*-linux-*.tar.gz
	@WINELOADER=$(WINE64) bash packaging/test-package.sh --wine $(WINE64) dist/keldar-*-windows-x64.zip
	@if $(WINE32) --version >/dev/null 2>&1; then \
	  test -f $(WINEPREFIX32)/system.reg || \
	    { WINEPREFIX=$(WINEPREFIX32) WINEARCH=win32 $(WINE32) wineboot -i && WINEPREFIX=$(WINEPREFIX32) wineserver -w; }; \
	  WINEPREFIX=$(WINEPREFIX32) WINELOADER=$(WINE32) bash packaging/test-package.sh --wine $(WINE32) dist/keldar-*-windows-x86.zip; \
	else \
	  bash packaging/test-package.sh --content-only dist/keldar-*-windows-x86.zip; \
	fi

clean:
	rm -rf build
