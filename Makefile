# The two commands of the README, and a few more for developers.
#   make run    build everything and start the demo (inside a private network namespace)
#   make test   build with sanitizers and run every test through CTest

RELEASE_DIR := build/release
TEST_DIR    := build/test
FUZZ_DIR    := build/fuzz
JOBS        ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all bootstrap build test run bench fuzz install package clean

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

# Bounded fuzz session of the settings reader (clang++ and libFuzzer). New inputs go to a
# working corpus under the build directory; the seeds in the repository stay as they are;
# a crash input is left in $(FUZZ_DIR)/artifacts/.
FUZZ_SECONDS ?= 60
fuzz: bootstrap
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	      -DTERVANE_FUZZ=ON -DTERVANE_GUI=OFF -DTERVANE_TESTS=OFF -DTERVANE_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target settings_xml_fuzzer
	mkdir -p $(FUZZ_DIR)/corpus $(FUZZ_DIR)/artifacts
	$(FUZZ_DIR)/settings/settings_xml_fuzzer -max_total_time=$(FUZZ_SECONDS) -timeout=10 -dict=settings/fuzz/xml.dict \
	      -artifact_prefix=$(FUZZ_DIR)/artifacts/ $(FUZZ_DIR)/corpus settings/fuzz/corpus

# Installs the release build under PREFIX (default /usr/local); DESTDIR works as usual.
PREFIX ?= /usr/local
install: build
	cmake --install $(RELEASE_DIR) --prefix $(PREFIX)

# The Debian package of the release build, in build/release.
package: build
	cd $(RELEASE_DIR) && cpack -G DEB

clean:
	rm -rf build
