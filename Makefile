# make run     install what is missing, build, start Boxwright
# make test    the same set-up, then every test (also the core under the
#              sanitizers, and the core built for Windows and run under Wine)
# make package a Debian package of the program, in build/
# make web     the web edition (WebAssembly and a static page), in build-web/site
# make format  clang-format over our sources

BUILD      ?= build
SAN_BUILD  ?= build-sanitize
WIN_BUILD  ?= build-windows
WEB_BUILD  ?= build-web
JOBS       ?= $(shell nproc)
GENERATOR  := -G Ninja

.PHONY: deps configure build run package web test test-app test-sanitize test-windows test-web bench format clean

deps:
	@bash scripts/install-deps.sh

# The benchmarks are built (not run) with everything else, so that they keep
# building as the code under them moves.
configure: deps
	@cmake -S . -B $(BUILD) $(GENERATOR) -DBOXWRIGHT_BENCH=ON >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/boxwright

package: build
	cd $(BUILD) && cpack -G DEB

test: test-app test-sanitize test-windows test-web

test-app: build
	ctest --test-dir $(BUILD) --no-tests=error --output-on-failure -j $(JOBS)

# The core and its tests again, built by clang under AddressSanitizer and
# UndefinedBehaviorSanitizer, with a short run of the reader's fuzzer.
test-sanitize: deps
	@cmake -S . -B $(SAN_BUILD) $(GENERATOR) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
	    -DBOXWRIGHT_CORE_ONLY=ON -DBOXWRIGHT_SANITIZE=ON -DBOXWRIGHT_FUZZ=ON \
	    -DBOXWRIGHT_SCRIPT_CHECKS=OFF >/dev/null
	@cmake --build $(SAN_BUILD) -j $(JOBS)
	ctest --test-dir $(SAN_BUILD) --no-tests=error --output-on-failure -j $(JOBS)

# The core, both Windows backends, make_samples and the core tests, cross-built
# with MinGW-w64 and run under Wine (one prefix, made once in $(WIN_BUILD)); the
# samples written there must match the Linux build's byte for byte. Skipped
# without the cross compiler, and run only when Wine is there.
test-windows: build
	@if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then \
	    echo "test-windows: skipped (no MinGW-w64 cross compiler)"; exit 0; fi; \
	cmake -S . -B $(WIN_BUILD) $(GENERATOR) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	    -DBOXWRIGHT_CORE_ONLY=ON -DBOXWRIGHT_LINUX_SAMPLES=$(CURDIR)/$(BUILD)/samples >/dev/null && \
	cmake --build $(WIN_BUILD) -j $(JOBS) && \
	if ! command -v wine >/dev/null; then echo "test-windows: built, not run (no Wine)"; exit 0; fi && \
	ctest --test-dir $(WIN_BUILD) --no-tests=error --output-on-failure -j $(JOBS)

# Debian's emscripten finds its JavaScript tools (acorn) under /usr/share/nodejs,
# which a node from elsewhere does not search by itself.
EMSCRIPTEN_ENV := NODE_PATH=/usr/share/nodejs

web: deps
	@if ! command -v em++ >/dev/null; then echo "web: skipped (no emscripten)"; exit 0; fi; \
	$(EMSCRIPTEN_ENV) emcmake cmake -S web -B $(WEB_BUILD) $(GENERATOR) >/dev/null && \
	$(EMSCRIPTEN_ENV) cmake --build $(WEB_BUILD) -j $(JOBS)

# The WebAssembly core against the desktop writer (node), then the page in
# headless Chromium when the browser is there.
test-web: build web
	@if [ ! -f $(WEB_BUILD)/site/boxwright-core.js ]; then echo "test-web: skipped (no web build)"; exit 0; fi; \
	BOXWRIGHT_WEB_SITE=$(WEB_BUILD)/site BOXWRIGHT_WEB_EXPECTED=$(BUILD)/tests/web/web_expected node --test web/test/ && \
	if [ -x tests/web/browser/run.sh ] || [ -f tests/web/browser/run.sh ]; then \
	    if command -v chromium >/dev/null; then bash tests/web/browser/run.sh $(WEB_BUILD)/site; \
	    else echo "test-web: browser tests skipped (no chromium)"; fi; fi

bench: deps
	@cmake -S . -B build-bench $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DBOXWRIGHT_BENCH=ON -DBOXWRIGHT_CORE_ONLY=OFF >/dev/null
	@cmake --build build-bench -j $(JOBS)
	bash bench/run.sh build-bench

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(WIN_BUILD) $(WEB_BUILD) build-bench
