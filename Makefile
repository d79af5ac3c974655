# Gantrix: the three builds (native tests, 32-bit and 64-bit Windows) and their tests.
BUILD  ?= build
JOBS   ?= 2
CONFIG ?= Release
ARCHS  := win32 win64

toolchain_win32 := cmake/toolchain-i686-w64-mingw32.cmake
toolchain_win64 := cmake/toolchain-x86_64-w64-mingw32.cmake

.PHONY: all deps build configure test run stop bench clean $(addprefix build-,native $(ARCHS))

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/native/build.ninja: | deps
	cmake -S . -B $(BUILD)/native -G Ninja -DCMAKE_BUILD_TYPE=$(CONFIG)

$(foreach a,$(ARCHS),$(BUILD)/$(a)/build.ninja): $(BUILD)/%/build.ninja: | deps
	cmake -S . -B $(BUILD)/$* -G Ninja -DCMAKE_BUILD_TYPE=$(CONFIG) \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/$(toolchain_$*) \
	  -DGANTRIX_DIST=$(abspath $(BUILD))/dist/$*

build-native: $(BUILD)/native/build.ninja
	cmake --build $(BUILD)/native -j $(JOBS)

$(addprefix build-,$(ARCHS)): build-%: $(BUILD)/%/build.ninja
	cmake --build $(BUILD)/$* -j $(JOBS)
	cmake --install $(BUILD)/$* --prefix $(abspath $(BUILD))/dist/$* >/dev/null

# Sequential on purpose: two cores are shared by the three builds.
build: deps
	$(MAKE) build-native
	$(MAKE) build-win32
	$(MAKE) build-win64

test: build
	@scripts/run-tests.sh $(BUILD) $(JOBS) native $(ARCHS)

run: build
	@scripts/run.sh $(BUILD)

stop:
	@scripts/stop.sh $(BUILD)

bench: build
	@scripts/bench.sh $(BUILD) hookbench panelbench

clean:
	rm -rf $(BUILD)
