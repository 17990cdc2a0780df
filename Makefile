# The two commands of the README, and a few more for developers.
#   make run    build everything and start the demo (inside a private network namespace)
#   make test   build with sanitizers and run every test through CTest

RELEASE_DIR := build/release
TEST_DIR    := build/test
FUZZ_DIR    := build/fuzz
JOBS        ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all bootstrap build test run bench fuzz install clean

all: build

bootstrap:
	@scripts/bootstrap

build: bootstrap
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTERVANE_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

test: bootstrap
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTERVANE_SANITIZE=ON -DTERVANE_BENCH=OFF
	cmake --build $(TEST_DIR) -j $(JOBS)
	ctest --test-dir $(TEST_DIR) --output-on-failure -j $(JOBS)

run: build
	scripts/demo $(RELEASE_DIR)

bench: bootstrap
	cmake -S . -B $(RELEASE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTERVANE_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS) --target bench

clean:
	rm -rf build
