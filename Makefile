# Two entry points: `make run` starts the editor, `make test` runs every test headless.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
# Seconds each fuzz target runs for.
FUZZ_SECONDS ?= 600
FUZZ_TARGETS = bmp jpeg listing profile hex project
# Longest input per target: the picture readers get room for long segments
# and streams (their inputs can also be programs that build large files).
FUZZ_MAX_LEN_bmp = 1048576
FUZZ_MAX_LEN_jpeg = 1048576
FUZZ_MAX_LEN = 65536
# Qt and the font libraries keep memory until exit on purpose; leaks are not
# what these runs look for.
SANITIZE_ENV = ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: run test build deps configure bench package clean test-sanitize fuzz fuzz-build

deps:
	@bash scripts/install-deps.sh

# Extra CMake options, e.g. CMAKE_OPTIONS=-DPELLMARK_WERROR=ON as in CI.
CMAKE_OPTIONS ?=

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release $(CMAKE_OPTIONS) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/pellmark

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do \
	  if [ -f "$$b" ] && [ -x "$$b" ]; then echo "== $$b"; $$b; fi; \
	done

# A Debian package in $(BUILD_DIR)/, dependencies taken from the linked libraries.
package: build
	@cmake --build $(BUILD_DIR) --target package

# The project and all its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer (any undefined behaviour ends the test).
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_CXX_FLAGS="-O1 -g -fno-omit-frame-pointer -fsanitize=address,undefined -fno-sanitize-recover=undefined" \
	  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
	@cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && $(SANITIZE_ENV) QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# libFuzzer targets with clang, seeded from a generated corpus; each runs
# FUZZ_SECONDS seconds (not part of CI). Crashes and inputs taking over 10 s
# land in $(FUZZ_DIR)/findings.
fuzz-build: deps
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++-14 \
	  -DPELLMARK_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target make_seeds $(addprefix fuzz_,$(FUZZ_TARGETS))
	@rm -rf $(FUZZ_DIR)/seeds && ./$(FUZZ_DIR)/make_seeds $(FUZZ_DIR)/seeds

fuzz: fuzz-build
	@for t in $(FUZZ_TARGETS); do \
	  mkdir -p $(FUZZ_DIR)/corpus/$$t $(FUZZ_DIR)/findings/$$t; \
	  len=$(FUZZ_MAX_LEN); [ $$t = bmp ] && len=$(FUZZ_MAX_LEN_bmp); [ $$t = jpeg ] && len=$(FUZZ_MAX_LEN_jpeg); \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  $(SANITIZE_ENV) ./$(FUZZ_DIR)/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 -max_len=$$len \
	    -artifact_prefix=$(FUZZ_DIR)/findings/$$t/ $(FUZZ_DIR)/corpus/$$t $(FUZZ_DIR)/seeds/$$t || exit 1; \
	done

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
