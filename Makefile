# Front door of the build. `make run` and `make test` work on a fresh Debian 12
# machine: the bootstrap script installs what is missing first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_ARGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure run test test-asan bench screenshots install package clean format

all: configure
	cmake --build $(BUILD) -j $(JOBS)

deps:
	@bash scripts/bootstrap.sh

configure: deps
	@test -f $(BUILD)/build.ninja || cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS)

run: all
	./$(BUILD)/zelta

test: all
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
	  ctest --output-on-failure -j $(JOBS)

test-asan: deps
	@test -f $(ASAN_BUILD)/build.ninja || cmake -S . -B $(ASAN_BUILD) -G Ninja \
	  -DCMAKE_BUILD_TYPE=Debug -DZELTA_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp \
	  ctest --output-on-failure -j $(JOBS)

bench: all
	@if [ -x bench/run.sh ]; then bash bench/run.sh $(BUILD); else echo "no benchmarks yet"; fi

# Every window in every colour theme as PNG files in $(BUILD)/screenshots, then the main window,
# the progress window and a dialog in the dark theme at 200 % scaling.
screenshots: configure
	cmake --build $(BUILD) --target zelta-screenshots -j $(JOBS)
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/zelta-screenshots $(BUILD)/screenshots
	QT_QPA_PLATFORM=offscreen ./$(BUILD)/zelta-screenshots --scale 2 $(BUILD)/screenshots

# Installs under PREFIX (default /usr/local); DESTDIR=/some/folder stages the installation there.
PREFIX ?= /usr/local
install: all
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package zelta_<version>_<arch>.deb in $(BUILD), made from the build above.
package: all
	cd $(BUILD) && cpack -G DEB

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
