# Two entry points: `make run` starts the editor, `make test` runs every test headless.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build deps configure bench package clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release >/dev/null

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

clean:
	rm -rf $(BUILD_DIR)
