# Hoplette: `make run` and `make test` install what is missing, build and go.
SHELL := /bin/bash
BUILD ?= build
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
JOBS ?= $(shell nproc)
# Under sudo only the installing runs as root: the builds, the tests and their
# Wine prefixes run as the user who asked, so later runs without sudo can use them.
ifneq ($(SUDO_USER),)
ifeq ($(shell id -u),0)
AS_USER := sudo -E -u $(SUDO_USER) HOME=$(shell getent passwd $(SUDO_USER) | cut -d: -f6)
endif
endif

.PHONY: deps build build-host build-win32 build-win64 run test bench dist clean

deps:
	@./tools/install-deps.sh

$(BUILD)/host/CMakeCache.txt:
	$(AS_USER) cmake -S . -B $(BUILD)/host -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug
$(BUILD)/win32/CMakeCache.txt:
	$(AS_USER) cmake -S . -B $(BUILD)/win32 -G "$(GENERATOR)" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake
$(BUILD)/win64/CMakeCache.txt:
	$(AS_USER) cmake -S . -B $(BUILD)/win64 -G "$(GENERATOR)" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-w64-mingw32.cmake

build-host: deps $(BUILD)/host/CMakeCache.txt
	$(AS_USER) cmake --build $(BUILD)/host -j $(JOBS)
build-win32: deps $(BUILD)/win32/CMakeCache.txt
	$(AS_USER) cmake --build $(BUILD)/win32 -j $(JOBS)
build-win64: deps $(BUILD)/win64/CMakeCache.txt
	$(AS_USER) cmake --build $(BUILD)/win64 -j $(JOBS)
build: build-host build-win32 build-win64

# The 32-bit program where this machine runs 32-bit programs, else the 64-bit one.
run: build-win32 build-win64
	@$(AS_USER) ./tools/run.sh $(BUILD)

# Every suite runs and is reported, even after one that failed; where 32-bit
# programs cannot run, the 32-bit suite's tests report themselves skipped.
test: build
	@$(AS_USER) ./tools/test.sh $(BUILD)

dist: build-win32 build-win64
	@$(AS_USER) ./tools/dist.sh $(BUILD) $(BUILD)/win32/Hoplette.exe $(BUILD)/win64/Hoplette.exe

bench: build-win32 build-win64
	@$(AS_USER) ./tools/bench.sh

clean:
	rm -rf $(BUILD)
