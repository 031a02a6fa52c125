# The two commands of a fresh machine: `make run` and `make test`.

.PHONY: all deps build run test bench clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default

run: build
	build/clickshow

test: build
	ctest --preset default

bench: build
	@cmake --build --preset default --target clickshow-bench
	build/clickshow-bench

clean:
	rm -rf build
