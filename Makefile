# The two commands of a fresh machine: `make run` and `make test`.

.PHONY: all deps build run test bench screenshot clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default

run: build
	build/clickshow

# Every test, then the unit and widget tests again under AddressSanitizer
# and UndefinedBehaviorSanitizer.
test: build
	ctest --preset default
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	ctest --preset asan

bench: build
	@cmake --build --preset default --target clickshow-bench
	build/clickshow-bench

screenshot: build
	scripts/screenshot.sh docs/clickshow.png

clean:
	rm -rf build build-asan
