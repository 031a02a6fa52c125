# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: 2026 The clickshow developers
# The two commands of a fresh machine: `make run` and `make test`.

# One progress line a step: no "Entering directory" from the makes that
# CMake's build runs.
MAKEFLAGS += --no-print-directory

.PHONY: all run test package bench screenshot animation web web-serve windows dist reproduce clean

all:
	@scripts/install-deps.sh run
	@cmake --preset default -DBUILD_TESTING=OFF >/dev/null
	@cmake --build --preset default --target clickshow

# Just the program, and just what it needs.
run: all
	build/clickshow

# Every test, then the unit and widget tests again under AddressSanitizer
# and UndefinedBehaviorSanitizer. The toolkit-free layers build alone
# first, with Qt, X11 and FFmpeg out of reach. The page's test serves a
# fresh build-web/. The package for this machine is built and linted; what
# takes chroots of other releases (make dist, make reproduce) runs only
# where CLICKSHOW_RELEASE_TESTS=1.
test:
	@scripts/install-deps.sh test
	@cmake --preset core >/dev/null
	@cmake --build --preset core
	@cmake --preset default -DBUILD_TESTING=ON -DCLICKSHOW_E2E_TESTS=ON -DCLICKSHOW_BROWSER_TESTS=ON >/dev/null
	@cmake --build --preset default
	@scripts/build-web.sh >/dev/null
	@scripts/build-windows.sh >/dev/null
	ctest --preset default
	ctest --preset conformance
	ctest --preset windows
	@$(MAKE) --no-print-directory package
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan
	ctest --preset asan
	@if [ "$$CLICKSHOW_RELEASE_TESTS" = 1 ]; then echo "ctest --preset release"; ctest --preset release; fi

# The Debian package for this machine's release in build-package/, from
# the source archive of the last commit, by dpkg-buildpackage, checked by
# lintian (source and binary) and the desktop validators.
package:
	@scripts/install-deps.sh package
	@scripts/build-deb.sh "$$(scripts/source-archive.sh build-package)" build-package

bench:
	@scripts/install-deps.sh test
	@cmake --preset default -DBUILD_TESTING=ON -DCLICKSHOW_E2E_TESTS=ON -DCLICKSHOW_BROWSER_TESTS=ON >/dev/null
	@cmake --build --preset default --target clickshow-bench
	build/clickshow-bench

screenshot: all
	@scripts/install-deps.sh test
	scripts/play-once.sh build/clickshow docs/clickshow.png

# The show as the README shows it: an animated GIF every browser plays,
# recorded by the program itself.
animation: all
	build/clickshow --record docs/clickshow.gif --fps 25 --quiet

# The show in a web page, in build-web/: static files for any web server.
web:
	@scripts/install-deps.sh web
	@scripts/build-web.sh

# The program and its screen saver for Windows, and their zip, in
# build-windows/: cross-built with mingw-w64.
windows:
	@scripts/install-deps.sh windows
	@scripts/build-windows.sh

# Everything a person downloads, in dist/, with its SHA256SUMS: the
# packages for Debian 12 and 13, each built, linted and installed in clean
# chroots of its release (root, minutes, gigabytes), the Windows zip, the
# page as one file and as a folder, the source archive.
dist:
	@scripts/dist.sh

# dist/ again from a fresh clone elsewhere: every file the same bytes.
reproduce:
	@scripts/reproduce.sh

PORT ?= 8000
web-serve: web
	@node web/serve.mjs build-web $(PORT)

clean:
	rm -rf build build-asan build-core build-package build-release build-web build-web-cmake build-windows dist
