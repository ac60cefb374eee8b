# Front door of the project. `make test` and `make run` install what is missing,
# configure and build; `make bench` builds in Release and runs the benchmarks;
# `make deb` builds the Debian package; `make translations` brings the catalogues in
# translations/ up to date with the texts of the code.
# `make bench` shows the window of bench_ui on an X server of its own (Xvfb), as a user
# would see it painted; without xvfb-run it paints offscreen.
# `make windows` cross-builds the static build/windows/bin/quillet.exe; `make windows-installer`
# adds its installer and portable zip; `make test-windows` runs its tests, the window and the
# installer under Wine.
.PHONY: all deps build test run bench asan fuzz deb translations format clean windows \
	windows-installer test-windows

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
BENCHES = bench_core bench_source bench_run bench_ui

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --preset dev
	cmake --build --preset dev -j $(JOBS)

test: build
	ctest --preset dev -j $(JOBS)

run: build
	build/dev/bin/quillet

bench: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS) --target $(BENCHES)
	@for b in $(BENCHES); do \
		echo "== $$b"; \
		if [ $$b = bench_ui ] && command -v xvfb-run >/dev/null; then \
			xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb \
				build/release/bin/$$b || exit 1; \
		else \
			build/release/bin/$$b || exit 1; \
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
	@scripts/install-deps fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j $(JOBS) --target fuzz_batch_interpreter
	mkdir -p build/fuzz/corpus
	build/fuzz/bin/fuzz_batch_interpreter -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		-timeout=10 -rss_limit_mb=2048 build/fuzz/corpus tests/fuzz/seeds

windows: deps
	@qt="$$(scripts/windows-qt)" && cmake --preset windows -DCMAKE_PREFIX_PATH="$$qt"
	cmake --build --preset windows -j $(JOBS)

windows-installer: windows
	cmake --build --preset windows -j $(JOBS) --target windows_installer
	@ls build/windows/quillet-*-setup.exe build/windows/quillet-*-windows-x64.zip

test-windows: windows-installer
	ctest --preset windows -j $(JOBS)

deb: deps
	cmake --preset package
	cmake --build --preset package -j $(JOBS)
	cd build/package && cpack -G DEB
	@ls build/package/quillet_*.deb

translations: deps
	cmake --preset dev
	cmake --build --preset dev --target update_translations

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
