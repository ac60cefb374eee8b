# Front door of the project. `make test` and `make run` install what is missing,
# configure and build; `make bench` builds in Release and runs the benchmarks.
# `make windows` cross-builds the static build/windows/bin/quillet.exe; `make test-windows`
# runs its tests and the window under Wine.
.PHONY: all deps build test run bench asan format clean windows test-windows

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
	@for b in $(BENCHES); do echo "== $$b"; build/release/bin/$$b || exit 1; done

asan: deps
	cmake --preset asan
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

windows: deps
	@qt="$$(scripts/windows-qt)" && cmake --preset windows -DCMAKE_PREFIX_PATH="$$qt"
	cmake --build --preset windows -j $(JOBS)

test-windows: windows
	ctest --preset windows -j $(JOBS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
