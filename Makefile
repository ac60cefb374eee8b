# Front door of the project. `make test` and `make run` install what is missing,
# configure and build; `make bench` builds in Release and runs the benchmarks;
# `make deb` builds the Debian package; `make translations` brings the catalogues in
# translations/ up to date with the texts of the code.
.PHONY: all deps build test run bench asan deb translations format clean

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
