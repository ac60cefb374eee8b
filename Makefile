# SPDX-License-Identifier: GPL-3.0-or-later
# Front door of the project. Each target installs the package groups it needs
# (scripts/install-deps: build, test, windows), configures and builds.
# `make run` builds only the two programs and opens the window on a fresh demo folder
# (FOLDER=path opens another folder); `make test` runs every test that leaves the system
# alone; `make test-system` installs the Debian package into the system and removes it again
# (root); `make bench` builds in Release and runs the benchmarks;
# `make deb` builds the Debian package; `make translations` brings the catalogues in
# translations/ up to date with the texts of the code.
# `make bench` shows the windows of the bench_ui* programs on an X server of its own (Xvfb), as
# a user would see them painted; without xvfb-run they paint offscreen. `make bench
# BENCH_MILLION=1` also runs the window's renames over a million files.
# `make windows` cross-builds the static build/windows/bin/quillet.exe; `make windows-installer`
# adds its installer and portable zip; `make test-windows` runs its tests, the window and the
# installer under Wine.
.PHONY: all deps build test test-system run bench asan fuzz deb translations format clean \
	windows windows-installer test-windows

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BENCHES = bench_core bench_source bench_run bench_ui bench_ui_startup bench_ui_run
# BENCH_MILLION=1 adds the runs through the window over 1,000,000 files (several minutes).
BENCH_MILLION ?=

all: build

deps:
	@scripts/install-deps build test

build: deps
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

test: build
	ctest --preset dev -j $(JOBS)

# The checks that change the system: the package installed with apt-get and removed again.
test-system: build
	ctest --preset system

# The window on FOLDER, by default on a demo folder made fresh at every run.
FOLDER ?=
run:
	@scripts/install-deps build
	cmake --preset run
	cmake --build --preset run -j $(JOBS)
ifeq ($(FOLDER),)
	rm -rf build/demo
	scripts/make-demo-folder build/demo
	cd build/demo && ../run/bin/quillet
else
	cd "$(FOLDER)" && "$(CURDIR)/build/run/bin/quillet"
endif

bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target $(BENCHES)
	@for b in $(BENCHES); do \
		echo "== $$b"; \
		args=; \
		if [ $$b = bench_ui_run ] && [ -n "$(BENCH_MILLION)" ]; then args=--million; fi; \
		case $$b in bench_ui*) ui=1 ;; *) ui= ;; esac; \
		if [ -n "$$ui" ] && command -v xvfb-run >/dev/null; then \
			xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
				build/release/bin/$$b $$args || exit 1; \
		else \
			build/release/bin/$$b $$args || exit 1; \
		fi; \
	done

asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

# Builds the interpreter's fuzz target with clang and runs it for FUZZ_SECONDS (not part of
# `make test`). New inputs that reach new code are kept in build/fuzz/corpus.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/install-deps build fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS) --target fuzz_batch_interpreter
	mkdir -p build/fuzz/corpus
	build/fuzz/bin/fuzz_batch_interpreter -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		-timeout=10 -rss_limit_mb=2048 build/fuzz/corpus tests/fuzz/seeds

windows:
	@scripts/install-deps build windows
	@qt="$$(scripts/windows-qt)" && cmake --preset windows -DCMAKE_PREFIX_PATH="$$qt"
	cmake --build --preset windows -j $(JOBS)

windows-installer: windows
	cmake --build --preset windows -j $(JOBS) --target windows_installer
	@ls build/windows/quillet-*-setup.exe build/windows/quillet-*-windows-x64.zip

test-windows: windows-installer
	ctest --preset windows -j $(JOBS)

deb:
	@scripts/install-deps build test
	cmake --preset package
	cmake --build --preset package -j $(JOBS)
	cd build/package && cpack -G DEB
	@ls build/package/quillet_*.deb

translations:
	@scripts/install-deps build
	cmake --preset dev
	cmake --build --preset dev --target update_translations

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
