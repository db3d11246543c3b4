# The README's commands. Each one does all the set-up it needs on a fresh Debian 12 machine.
BUILD ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
# Where the package installs the program; the program looks for its defaults under it.
PREFIX ?= /usr
CMAKE_FLAGS ?=

FUZZ_SECONDS ?= 15

.PHONY: all deps configure build test run bench asan fuzz package windows windows-test windows-installer clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_INSTALL_PREFIX=$(PREFIX) \
	    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

run: build
	@scripts/run-vezozil $(BUILD)

bench: build
	@scripts/install-deps --bench
	@bench/run-all $(BUILD)

# The Debian package vezozil_<version>_<arch>.deb, in the build tree, from the same build as the tests.
package: build
	@cmake --build $(BUILD) --target package

# Address and undefined-behaviour sanitizers, in a build tree of their own.
asan:
	@$(MAKE) test BUILD=build-asan BUILD_TYPE=Debug CMAKE_FLAGS=-DVEZOZIL_SANITIZE=ON

# libFuzzer on every reader of stored files and on the rehearsal's command line: built with clang in
# build-fuzz, each target run for FUZZ_SECONDS; fails when any of them finds a fault.
fuzz: deps
	@cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DVEZOZIL_FUZZ=ON >/dev/null
	@cmake --build build-fuzz -j $(JOBS) --target vezozil_fuzzers
	@tests/fuzz/run-fuzzers build-fuzz $(FUZZ_SECONDS)

# Windows, cross-built with MinGW-w64 against the SDK in ../shared/windows-sdk (unpacked into .cache/),
# with the sounds of the host build; its tests run under Wine, one process per test executable.
WIN_BUILD ?= build-win
windows: configure
	@cmake --build $(BUILD) -j $(JOBS) --target vezozil_sounds
	@sdk=$$(scripts/install-deps-windows | tail -1) && \
	    cmake -S . -B $(WIN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
	    -DCMAKE_TOOLCHAIN_FILE=$$sdk/share/cmake/mingw-w64-x86_64-posix.cmake \
	    -DVEZOZIL_HOST_BUILD=$(abspath $(BUILD)) >/dev/null
	@cmake --build $(WIN_BUILD) -j $(JOBS)

windows-test: windows
	@scripts/wine-run $(WIN_BUILD) wineboot --init
	@cd $(WIN_BUILD) && ctest --output-on-failure -j $(JOBS)

# VezoZil-<version>-kurulum.exe in the Windows build tree.
windows-installer: windows
	@cmake --build $(WIN_BUILD) --target installer

clean:
	rm -rf $(BUILD) $(WIN_BUILD) build-asan build-fuzz
