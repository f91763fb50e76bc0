# Skyvane: the two set-up commands of the README, and a few helpers.
#   make run   installs what is missing, builds, starts the program on the shipped data
#   make test  installs what is missing, builds (with AddressSanitizer and UBSan), runs every test

BUILD_DIR      ?= build
TEST_BUILD_DIR ?= build-test
PACKAGE_BUILD_DIR ?= build-package
JOBS           ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS    ?=

.PHONY: all deps build build-test run test bench data clean package fuzz

all: build

deps:
	bash scripts/install-deps.sh

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

$(TEST_BUILD_DIR)/build.ninja:
	cmake -S . -B $(TEST_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSKYVANE_SANITIZE=ON \
	      -DSKYVANE_WERROR=ON -DSKYVANE_BUILD_BENCH=OFF $(CMAKE_FLAGS)

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

build-test: deps $(TEST_BUILD_DIR)/build.ninja
	cmake --build $(TEST_BUILD_DIR) -j $(JOBS)

# Started from the source folder, the program finds the shipped catalogues in ./data. Without
# a display (a bare server) it runs on a virtual one.
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then $(BUILD_DIR)/src/app/skyvane; \
	else echo "No display found: running Skyvane on a virtual display (xvfb-run)."; \
	     xvfb-run -a $(BUILD_DIR)/src/app/skyvane; fi

test: build-test
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	ctest --test-dir $(TEST_BUILD_DIR) --output-on-failure -j $(JOBS)

# Rebuilds the catalogue files in data/ from data/sources (the results are committed).
data: build
	$(BUILD_DIR)/tools/skyvane-data/skyvane-data all --sources data/sources --out data

# The benchmarks. The last runs on the shipped catalogues with a synthetic Tycho-2 of the
# real size (2.5 million stars), written once into $(BUILD_DIR)/bench-data (about 600 MB).
bench: build
	$(BUILD_DIR)/bench/bench_chart
	$(BUILD_DIR)/bench/bench_catalog
	$(BUILD_DIR)/bench/bench_render
	if [ -x $(BUILD_DIR)/bench/bench_ephem ]; then $(BUILD_DIR)/bench/bench_ephem; fi
	bash bench/make-synthetic-tycho2.sh $(BUILD_DIR) $(BUILD_DIR)/bench-data/tycho2
	SKYVANE_FULL_DATA=$(BUILD_DIR)/bench-data/tycho2/data $(BUILD_DIR)/bench/bench_fullscale

# The libFuzzer targets (clang), each run FUZZ_TIME seconds (default 60); FUZZ_RUNS stops a
# target after that many runs, FUZZ_TARGETS picks targets. Findings land in build-fuzz/findings.
fuzz:
	JOBS=$(JOBS) bash scripts/fuzz.sh

clean:
	rm -rf $(BUILD_DIR) $(TEST_BUILD_DIR) $(PACKAGE_BUILD_DIR) build-fuzz

# A Debian package of a Release build for the /usr prefix, checked unpacked in a scratch root.
package: deps
	cmake -S . -B $(PACKAGE_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	      -DSKYVANE_BUILD_TESTS=OFF -DSKYVANE_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(PACKAGE_BUILD_DIR) -j $(JOBS)
	cd $(PACKAGE_BUILD_DIR) && cpack
	bash tests/package/check_deb.sh "$$(ls -t $(PACKAGE_BUILD_DIR)/skyvane_*.deb | head -1)"
