# Two set-up-free commands: `make run` (or `make demo`) and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run demo test bench package screenshots format clean

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
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@scripts/run-benchmarks.sh $(BUILD_DIR)

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
