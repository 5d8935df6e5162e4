# SPDX-FileCopyrightText: 2026 Varnoskel team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Everything a fresh Debian machine needs: `make run` and `make test` install
# what is missing (as root), configure, build and then run or test.

# qt6-translations-l10n: the toolkit's own texts in German.
# qt6-base-private-dev: a test delivers events through the platform's own queue.
# libboost-dev: Boost.Multiprecision's headers, for the cascade's numbers.
PACKAGES := cmake g++ make qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-translations-l10n \
            libgl-dev fonts-liberation libboost-dev
# Only for the screenshots: a virtual display, a pointer to drive it, a camera.
DESKTOP  := xvfb xauth xdotool imagemagick
# Only for the package and its checks: CPack's helpers (file, dpkg-shlibdeps)
# and the validators of the desktop entry, the metainfo and the package.
PACKAGING := file dpkg-dev desktop-file-utils appstream lintian man-db
# Only for the arm64 package: Debian's cross toolchain, the arm64 Qt it
# links, and qemu-user to run its build-time tool and its tests.
CROSS    := crossbuild-essential-arm64 qt6-base-dev:arm64 qt6-base-private-dev:arm64 libgl-dev:arm64 \
            libxkbcommon-dev:arm64 qemu-user
# What the two Qts, for Windows and for the browser, are built with: the
# MinGW-w64 compilers (posix threads) and Debian's emscripten (it brings
# node), Ninja, and Debian's source tools for Qt's source.
MINGW      := g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix ninja-build dpkg-dev xz-utils
EMSCRIPTEN := emscripten ninja-build dpkg-dev xz-utils
# Only for the Windows build: its compilers, Wine to run its tests and its
# installer, wixl for the MSI, a virtual display for the installed program,
# and git for the source archive.
WINDOWS  := $(MINGW) wine wine64 wixl fonts-liberation fonts-dejavu-core qt6-translations-l10n \
            xvfb xauth xdotool imagemagick git
# Only for the browser build: its compiler, the three engines of the checks
# (Chromium, Firefox, and WebKit with its WebDriver; Python's websocket
# client speaks to Firefox, the last two draw under a virtual display), the
# icons' converter, and the fonts and Qt's German texts that the page carries.
WEB      := $(EMSCRIPTEN) git chromium firefox-esr webkit2gtk-driver python3 python3-websocket xvfb xauth \
            imagemagick fonts-liberation qt6-translations-l10n
# Only for the second compiler and its checks.
CLANG    := clang clang-tidy
# Only for the licence check.
REUSE    := reuse
BUILD    := build
JOBS     := -j2
# Options for apt-get's installs. CI's throwaway machine passes
# -o Dpkg::Options::=--force-unsafe-io: without a sync of every unpacked
# file, a fresh machine's packages install in half the time.
APT_OPTIONS ?=

.PHONY: deps-all arm64-arch qt-deps qt-caches qt-cache-windows qt-cache-web install format-check clang-check tidy package-arm64 package-windows package-web run-web bench-web reuse-lint all deps install-missing build run test sanitize tsan fuzz bench screenshots package package-check clean

all: build

deps:
	@$(MAKE) --no-print-directory install-missing WANTED="$(PACKAGES)"

# Every package that CI's steps install, in one go: CI installs them first,
# since it then builds the two Qts beside its other steps and apt cannot run
# beside itself.
deps-all: deps arm64-arch
	@$(MAKE) --no-print-directory install-missing \
	  WANTED="$(DESKTOP) $(PACKAGING) $(CROSS) $(WINDOWS) $(WEB) $(CLANG) $(REUSE) clang-format"

install-missing:
	@missing=$$(for p in $(WANTED); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing: $$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $(APT_OPTIONS) $$missing; \
	  else \
	    echo "Missing packages. Run:"; \
	    echo "  sudo apt-get install -y $$missing"; \
	    exit 1; \
	  fi; \
	fi

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DVARNOSKEL_WERROR=ON

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) $(JOBS)

run: build
	./$(BUILD)/varnoskel

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure $(JOBS)
	@grep -h "^random user:" $(BUILD)/Testing/Temporary/LastTest.log

# The whole test suite under the address and undefined-behaviour sanitizers
# and the standard library's own checks of its preconditions, as several
# distributions harden their builds; the first report fails the run. Qt's own allocations that live until exit
# are not leaks of the program, so leak reports are off.
sanitize: deps
	cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOSKEL_SANITIZE=ON -DVARNOSKEL_WERROR=ON
	cmake --build $(BUILD)-sanitize $(JOBS)
	cd $(BUILD)-sanitize && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=0:halt_on_error=1:abort_on_error=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure $(JOBS)
	@grep -h "^random user:" $(BUILD)-sanitize/Testing/Temporary/LastTest.log

# The kernel's and engine's tests, the window's column tests, the diagram tests, the orbit window's and a random user of 3000 actions,
# built with the thread sanitizer; the first report fails the run. And a
# deliberate race, which it must report.
# tests/tsan.supp marks Qt's libraries as not instrumented, and says why.
tsan: deps
	cmake -S . -B $(BUILD)-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOSKEL_TSAN=ON
	cmake --build $(BUILD)-tsan $(JOBS) --target test_kernel test_columns test_diagram test_inspector test_analysis test_random_user tsan_sees_a_race
	cd $(BUILD)-tsan && QT_QPA_PLATFORM=offscreen VARNOSKEL_QUICK=1 VARNOSKEL_ACTIONS=3000 \
	  TSAN_OPTIONS="suppressions=$(CURDIR)/tests/tsan.supp halt_on_error=1 exitcode=66" \
	  ctest --output-on-failure $(JOBS) -R '^(test_(kernel|columns|diagram|inspector|analysis|random_user)|tsan_sees_a_race)$$'

# libFuzzer on the number conversions, for a bounded time (FUZZ_SECONDS).
FUZZ_SECONDS := 60
fuzz: deps
	@$(MAKE) --no-print-directory install-missing WANTED="clang libclang-rt-14-dev"
	mkdir -p $(BUILD)-fuzz
	clang++ -std=c++20 -O1 -g -ffp-contract=off -fsanitize=fuzzer,address,undefined,float-cast-overflow \
	  -fno-sanitize-recover=all -I. $$(pkg-config --cflags Qt6Core) -fPIC \
	  fuzz/numbers_fuzz.cpp support/numbers.cpp $$(pkg-config --libs Qt6Core) -o $(BUILD)-fuzz/numbers_fuzz
	mkdir -p $(BUILD)-fuzz/corpus
	./$(BUILD)-fuzz/numbers_fuzz -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	  -artifact_prefix=$(BUILD)-fuzz/ $(BUILD)-fuzz/corpus fuzz/corpus

bench: build
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/bench/varnoskel_bench $(BUILD)/bench.json

# Screenshots of the real window under a virtual display, used by the README.
screenshots: build
	@$(MAKE) --no-print-directory install-missing WANTED="$(DESKTOP)"
	./docs/tour.sh $(BUILD)/varnoskel docs
	QT_SCALE_FACTOR=2 ./docs/tour.sh $(BUILD)/varnoskel $(BUILD)/tour-scale2
	cp $(BUILD)/tour-scale2/max.png docs/scale2.png
	rm -f docs/back.png
	for screen in 1280x1024 1366x768 1920x1080; do \
	  ./docs/beside.sh $(BUILD)/varnoskel $$screen docs/beside-$$screen.png; done
	QT_SCALE_FACTOR=2 ./docs/beside.sh $(BUILD)/varnoskel 3840x2160 $(BUILD)/beside-scale2.png
	convert $(BUILD)/beside-scale2.png -resize 50% docs/beside-3840x2160-scale2.png
	@if [ -f $(WEB_BUILD)/check/Chromium-sweep.png ]; then cp $(WEB_BUILD)/check/Chromium-sweep.png docs/web.png; \
	  else echo "docs/web.png: run make package-web first (its checks take the page's pictures)"; fi

# CMake's install into GNU directories; DESTDIR and PREFIX as usual.
PREFIX := /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package, made by CPack: build/varnoskel_<version>_<arch>.deb.
package: build
	@$(MAKE) --no-print-directory install-missing WANTED="$(PACKAGING)"
	cd $(BUILD) && cpack -G DEB

# The package as a school's IT would take it: validated, installed with
# apt-get, started, removed again (as root).
package-check: package
	./packaging/check.sh $(BUILD)

# The same tree built with Clang and its warnings as errors, and all tests
# run, in its own build folder.
clang-check: deps
	@$(MAKE) --no-print-directory install-missing WANTED="$(CLANG)"
	CC=clang CXX=clang++ cmake -S . -B $(BUILD)-clang -DCMAKE_BUILD_TYPE=Release -DVARNOSKEL_WERROR=ON \
	  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
	cmake --build $(BUILD)-clang $(JOBS)
	cd $(BUILD)-clang && QT_QPA_PLATFORM=offscreen ctest --output-on-failure $(JOBS)

# clang-tidy with the checks of .clang-tidy over the program's own code (the
# layers' folders, as CMakeLists.txt lists them); any finding fails.
tidy: deps
	@$(MAKE) --no-print-directory install-missing WANTED="$(CLANG)"
	@test -f $(BUILD)-clang/compile_commands.json || \
	  CC=clang CXX=clang++ cmake -S . -B $(BUILD)-clang -DCMAKE_BUILD_TYPE=Release -DVARNOSKEL_WERROR=ON \
	    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
	cmake --build $(BUILD)-clang --target tidy

# The arm64 package: cross-built with Debian's toolchain, its tests run under
# qemu-user (the long randomised ones shortened), packaged by CPack with the
# arm64 libraries' dependencies, checked by lintian and listed.
ARM64 := $(BUILD)-arm64
package-arm64: deps arm64-arch
	@$(MAKE) --no-print-directory install-missing WANTED="$(CROSS) $(PACKAGING)"
	cmake -S . -B $(ARM64) -DCMAKE_BUILD_TYPE=Release -DVARNOSKEL_WERROR=ON \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake
	cmake --build $(ARM64) $(JOBS)
	cd $(ARM64) && QT_QPA_PLATFORM=offscreen VARNOSKEL_QUICK=1 VARNOSKEL_ACTIONS=1000 \
	  ctest --output-on-failure $(JOBS) -E '_scale2$$|^install$$'
	cd $(ARM64) && DEB_HOST_ARCH=arm64 cpack -G DEB -D CPACK_DEBIAN_PACKAGE_ARCHITECTURE=arm64
	file $(ARM64)/varnoskel
	lintian --fail-on error,warning $(ARM64)/varnoskel_*_arm64.deb
	dpkg -c $(ARM64)/varnoskel_*_arm64.deb

# Debian's arm64 packages installable beside the machine's own (multiarch).
arm64-arch:
	@dpkg --print-foreign-architectures | grep -qx arm64 || { \
	  if [ "$$(id -u)" = 0 ]; then dpkg --add-architecture arm64 && apt-get update -qq; \
	  else echo "Run: sudo dpkg --add-architecture arm64 && sudo apt-get update"; exit 1; fi; }

# The Windows x86-64 build: Qt built once from Debian's own qt6-base source
# with MinGW-w64 into QT_CACHE (outside the tree, reused while its version and
# options stay), the program and its tests cross-built, the tests run under
# Wine (the long randomised ones shortened, as on arm64), then the zip, the
# MSI and the source archive; the MSI installed and removed silently under
# Wine, and one sweep's picture compared with the Linux build's.
WINDOWS_BUILD := $(BUILD)-windows
QT_CACHE := /var/cache/varnoskel
package-windows: build
	@$(MAKE) --no-print-directory install-missing WANTED="$(WINDOWS)"
	./packaging/windows/build.sh $(WINDOWS_BUILD) $(QT_CACHE) $(BUILD)

# What the two Qts are built from: their compilers and Debian's qt6-base
# source in QT_CACHE. Everything that needs apt, so that CI can build the Qts
# while it installs its other packages.
qt-deps: deps
	@$(MAKE) --no-print-directory install-missing WANTED="$(MINGW) $(EMSCRIPTEN)"
	./packaging/qt-source.sh $(QT_CACHE) > /dev/null

# The Qts into QT_CACHE, the Windows one and the browser's two (with threads,
# then without, from the first one's compile checks), as the targets above
# and below build them when they are missing; side by side, since each
# one's configure keeps a single core busy for minutes.
# CI starts the two halves apart, so that the Windows package need not wait
# for the browser's second Qt.
qt-caches: qt-deps
	$(MAKE) --no-print-directory qt-cache-windows & windows=$$!; \
	  $(MAKE) --no-print-directory qt-cache-web; web=$$?; wait $$windows && exit $$web
qt-cache-windows: qt-deps
	./packaging/windows/build-qt.sh $(QT_CACHE) > /dev/null
qt-cache-web: qt-deps
	./packaging/web/build-qt.sh $(QT_CACHE) threads > /dev/null
	./packaging/web/build-qt.sh $(QT_CACHE) single > /dev/null

# The browser build: Qt for WebAssembly built once from the same Debian source
# with Debian's emscripten into QT_CACHE (reused as the Windows Qt is), the
# program from the same tree, then in build-web/ the folder a web server
# serves, its zip and the source archive; then the page checked in headless
# Chromium against the Linux build's pictures.
WEB_BUILD := $(BUILD)-web
package-web: build
	@$(MAKE) --no-print-directory install-missing WANTED="$(WEB)"
	./packaging/web/build.sh $(WEB_BUILD) $(QT_CACHE) $(BUILD)
# The page's load time and its heavy sweep against the native bare recurrence.
bench-web: build
	@$(MAKE) --no-print-directory install-missing WANTED="$(WEB)"
	./packaging/web/build.sh $(WEB_BUILD) $(QT_CACHE)
	cmake --build $(BUILD) $(JOBS) --target varnoskel_bench
	/usr/bin/python3 packaging/web/bench.py $(WEB_BUILD)/varnoskel $(BUILD)/bench/varnoskel_bench
# The same folder, served on 127.0.0.1 with the two headers it needs.
WEB_PORT := 8080
run-web:
	@$(MAKE) --no-print-directory install-missing WANTED="$(WEB)"
	./packaging/web/build.sh $(WEB_BUILD) $(QT_CACHE)
	/usr/bin/python3 packaging/web/serve.py $(WEB_BUILD)/varnoskel $(WEB_PORT)
# Every file says its licence (REUSE).
reuse-lint:
	@$(MAKE) --no-print-directory install-missing WANTED="$(REUSE)"
	reuse lint

# The tree follows .clang-format. The files come from git: without it (or
# outside a clone) the list would be empty and clang-format would check
# nothing, so an empty list fails.
format-check:
	@$(MAKE) --no-print-directory install-missing WANTED="clang-format git"
	files=$$(git ls-files '*.cpp' '*.h') && [ -n "$$files" ] && clang-format --dry-run --Werror $$files

clean:
	rm -rf $(BUILD)
