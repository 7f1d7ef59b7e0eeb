# SPDX-License-Identifier: GPL-3.0-or-later
# Two set-up-free commands: `make run` (or `make demo`) and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run demo test test-long test-sanitize test-tsan fuzz fuzz-smoke fuzz-build bench bench-smoke package screenshots format clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target usb-meter
	$(BUILD_DIR)/app/usb-meter

demo: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target usb-meter-demo
	$(BUILD_DIR)/app/usb-meter-demo

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest -LE long --output-on-failure -j $(JOBS)

# The long reliability runs (the simulated day, the metrics load), left out of `make test`.
test-long: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest -L long --output-on-failure

# The whole suite again, built with AddressSanitizer and UndefinedBehaviorSanitizer in
# $(SANITIZE_DIR); any report fails the run. Suppressions (Qt's own leaks only) are in
# scripts/sanitizers/.
SANITIZE_DIR ?= build-asan
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/sanitizers/lsan.supp \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 QT_QPA_PLATFORM=offscreen

test-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=address,undefined >/dev/null
	@$(SANITIZE_ENV) cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && $(SANITIZE_ENV) ctest -LE long --output-on-failure -j $(JOBS)

# The libFuzzer targets (fuzz/), built with clang in $(FUZZ_DIR) and run one after another
# on a copy of their seed corpus; any finding fails the run. `fuzz-smoke` gives each a
# minute (CI), `fuzz` FUZZ_SECONDS (ten minutes unless set).
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 600

fuzz-build: deps
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzzers

fuzz-smoke: fuzz-build
	@scripts/run-fuzzers.sh $(FUZZ_DIR) 60

fuzz: fuzz-build
	@scripts/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# The suites that run the link thread against the simulated meter, built with
# ThreadSanitizer in $(TSAN_DIR); any report fails the run. Qt is not instrumented and its
# mutexes are futexes TSan cannot see, so only races between accesses made by our own
# (instrumented) code are checked: ignore_noninstrumented_modules.
TSAN_DIR ?= build-tsan
TSAN_TESTS = test_link_thread test_report_io test_sim_hid test_sim_demo test_sim_boot_loader
TSAN_ENV = TSAN_OPTIONS=halt_on_error=1:ignore_noninstrumented_modules=1 QT_QPA_PLATFORM=offscreen

test-tsan: deps
	@cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=thread >/dev/null
	@cmake --build $(TSAN_DIR) -j $(JOBS) --target $(TSAN_TESTS)
	cd $(TSAN_DIR) && $(TSAN_ENV) ctest -R '^($(subst $(eval) ,|,$(TSAN_TESTS)))$$' \
		--output-on-failure -j $(JOBS)

bench: build
	@scripts/run-benchmarks.sh $(BUILD_DIR)

# Every benchmark once on tiny sizes, a few seconds in all: a benchmark that no longer runs
# fails it; the figures are not judged (CI).
bench-smoke: build
	@BENCH_SMOKE=1 scripts/run-benchmarks.sh $(BUILD_DIR)

# The Debian package of the program, in $(BUILD_DIR); builds the program, not the tests.
package: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target usb-meter packaging_files
	@cd $(BUILD_DIR) && cpack -G DEB

# README pictures of the dashboard while the demo runs, in both languages.
screenshots: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target usb-meter-demo
	@scripts/screenshots.sh $(BUILD_DIR)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
