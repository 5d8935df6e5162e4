# Everything a fresh Debian machine needs: `make run` and `make test` install
# what is missing (as root), configure, build and then run or test.

# qt6-translations-l10n: the toolkit's own texts in German.
# qt6-base-private-dev: a test delivers events through the platform's own queue.
PACKAGES := cmake g++ make qt6-base-dev qt6-base-dev-tools qt6-base-private-dev qt6-translations-l10n \
            libgl-dev fonts-liberation
# Only for the screenshots: a virtual display, a pointer to drive it, a camera.
DESKTOP  := xvfb xauth xdotool imagemagick
# Only for the package and its checks: CPack's helpers (file, dpkg-shlibdeps)
# and the validators of the desktop entry, the metainfo and the package.
PACKAGING := file dpkg-dev desktop-file-utils appstream lintian man-db
BUILD    := build
JOBS     := -j2

.PHONY: install format-check all deps install-missing build run test sanitize tsan fuzz bench screenshots package package-check clean

all: build

deps:
	@$(MAKE) --no-print-directory install-missing WANTED="$(PACKAGES)"

install-missing:
	@missing=$$(for p in $(WANTED); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing: $$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing; \
	  else \
	    echo "Missing packages. Run:"; \
	    echo "  sudo apt-get install -y $$missing"; \
	    exit 1; \
	  fi; \
	fi

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) $(JOBS)

run: build
	./$(BUILD)/varnoskel

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure $(JOBS)
	@grep -h "^random user:" $(BUILD)/Testing/Temporary/LastTest.log

# The whole test suite under the address and undefined-behaviour sanitizers;
# the first report fails the run. Qt's own allocations that live until exit
# are not leaks of the program, so leak reports are off.
sanitize: deps
	cmake -S . -B $(BUILD)-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOSKEL_SANITIZE=ON
	cmake --build $(BUILD)-sanitize $(JOBS)
	cd $(BUILD)-sanitize && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=0:halt_on_error=1:abort_on_error=1 \
	  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	  ctest --output-on-failure $(JOBS)
	@grep -h "^random user:" $(BUILD)-sanitize/Testing/Temporary/LastTest.log

# The engine's tests, the diagram tests and a random user of 3000 actions,
# built with the thread sanitizer; the first report fails the run.
# tests/tsan.supp marks Qt's libraries as not instrumented, and says why.
tsan: deps
	cmake -S . -B $(BUILD)-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOSKEL_TSAN=ON
	cmake --build $(BUILD)-tsan $(JOBS) --target test_columns test_diagram test_random_user
	cd $(BUILD)-tsan && QT_QPA_PLATFORM=offscreen VARNOSKEL_QUICK=1 VARNOSKEL_ACTIONS=3000 \
	  TSAN_OPTIONS="suppressions=$(CURDIR)/tests/tsan.supp halt_on_error=1 exitcode=66" \
	  ctest --output-on-failure $(JOBS) -R '^test_(columns|diagram|random_user)$$'

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

# The tree follows .clang-format.
format-check:
	@$(MAKE) --no-print-directory install-missing WANTED="clang-format"
	clang-format --dry-run --Werror $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD)
