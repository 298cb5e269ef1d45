# Front door for building, testing and running mirel. Every target installs
# missing Debian packages first (scripts/install-deps is idempotent).

JOBS ?= 2
FUZZ_SECONDS ?= 20
PREVIEW_OUT ?= preview

.PHONY: deps build test bench fuzz preview clean

deps:
	@bash scripts/install-deps

build: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

test: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)
	ctest --preset release -j $(JOBS)
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)

bench: build
	./build/release/bench/mirel-bench

fuzz: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS) --target fuzz_all
	@for target in build/fuzz/fuzz/fuzz_*; do \
	  [ -x "$$target" ] || continue; \
	  name=$$(basename $$target); \
	  echo "== $$name for $(FUZZ_SECONDS) s"; \
	  mkdir -p build/fuzz/corpus/$$name; \
	  $$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=0 build/fuzz/corpus/$$name fuzz/corpus/$$name || exit 1; \
	done

# Only what the preview needs, not every test and benchmark.
preview: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS) --target mirel-preview
	./build/release/tools/mirel-preview --compare --dump-json --out $(PREVIEW_OUT)
	./build/release/tools/mirel-preview --compare --dump-json --out $(PREVIEW_OUT)/adaptive \
	  --set AdaptiveNowPlaying=true --set BlurArtwork=true
	@echo "The pictures are in $(PREVIEW_OUT)/ (APP-SCREEN.png themed, APP-SCREEN-compare.png stock beside themed)"
	@echo "and, with the adaptive Now Playing screen, in $(PREVIEW_OUT)/adaptive/."

clean:
	rm -rf build
