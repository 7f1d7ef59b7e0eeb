# Two set-up-free commands: `make run` (or `make demo`) and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run demo test test-long bench format clean

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

# The long reliability runs (the 200-cycle link soak), left out of `make test`.
test-long: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest -L long --output-on-failure

bench: build
	@scripts/run-benchmarks.sh $(BUILD_DIR)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR)
