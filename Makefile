# The two commands that do everything on a fresh Debian 12 machine:
#   make run   installs what is missing, builds, and opens the viewer on samples/dom.dat
#   make test  installs what is missing, builds, and runs every test headless under Xvfb
BUILD ?= build
ASAN_BUILD ?= build-asan
TSAN_BUILD ?= build-tsan
FUZZ_BUILD ?= build-fuzz
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

.PHONY: all deps build run test unit-tests asan-tests tsan-tests fuzz-test format-check include-check format bench install uninstall package

all: build

deps:
	scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) -j $(JOBS)

run: build
	scripts/run-viewer.sh $(BUILD)

test: deps format-check include-check unit-tests asan-tests tsan-tests fuzz-test

format-check:
	scripts/check-format.sh

include-check:
	scripts/check-includes.sh

unit-tests: build
	scripts/run-tests.sh $(BUILD)

asan-tests: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKOVO_SANITIZE=ON -DKOVO_BENCH=OFF
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	scripts/run-tests.sh $(ASAN_BUILD)

# The support, model and app tests, which cover the start-up prefetch's worker thread,
# under ThreadSanitizer.
tsan-tests: deps
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOVO_TSAN=ON -DKOVO_BENCH=OFF
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target support_tests model_tests app_tests
	scripts/run-tests.sh $(TSAN_BUILD) -L '^(support|model|app)$$'

fuzz-test: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOVO_FUZZ=ON -DKOVO_TESTS=OFF -DKOVO_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target loader_fuzz dat_writer_fuzz profile_fuzz command_line_fuzz
	scripts/run-fuzz.sh $(FUZZ_BUILD) 60

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

bench: build
	scripts/run-bench.sh $(BUILD)

# PREFIX is where the program goes; DESTDIR, when set, a staging root for a
# package, under which nothing refreshes the desktop's caches. It installs what
# `make build` built and never configures or builds itself: run as root, that
# would leave the user's build tree owned by root. CMake's own list of what
# was installed, written into the build tree, is given back to its owner.
install:
	@test -f "$(BUILD)/app/kovomodel" || { echo "make install: no build in $(BUILD); run 'make build' first, as yourself" >&2; exit 1; }
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" --strip
	@chown --reference="$(BUILD)" "$(BUILD)/install_manifest.txt" 2>/dev/null || true

# The Debian package of what `make install` installs, for the prefix /usr:
# $(BUILD)/kovomodel_VERSION_ARCH.deb.
package: build
	cd $(BUILD) && cpack -G DEB

# Removes what `make install` put under the same PREFIX and DESTDIR.
uninstall:
	DESTDIR="$(DESTDIR)" cmake -DPREFIX="$(PREFIX)" -P cmake/Uninstall.cmake
