# make run    install what is missing, build, start Boxwright
# make test   the same set-up, then every test (also the core under the sanitizers)
# make format clang-format over our sources

BUILD      ?= build
SAN_BUILD  ?= build-sanitize
JOBS       ?= $(shell nproc)
GENERATOR  := -G Ninja

.PHONY: deps configure build run test test-app test-sanitize bench format clean

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD) $(GENERATOR) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/boxwright

test: test-app test-sanitize

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

bench: deps
	@cmake -S . -B build-bench $(GENERATOR) -DCMAKE_BUILD_TYPE=Release -DBOXWRIGHT_BENCH=ON -DBOXWRIGHT_CORE_ONLY=OFF >/dev/null
	@cmake --build build-bench -j $(JOBS)
	bash bench/run.sh build-bench

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(SAN_BUILD) build-bench
