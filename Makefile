# The two commands a newcomer needs: `make run` and `make test`. Both install what is
# missing, configure and build.
BUILD     ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
WIN_BUILD ?= build-win
BENCH_BUILD ?= build-bench
FUZZ_SECONDS ?= 60
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
DEMO      ?= $(CURDIR)/demo-data
CMAKE_GEN := -G Ninja

.PHONY: all deps configure build test test-sanitize windows-test golden fuzz fuzz-build bench run \
	screenshot clean

all: build

deps:
	@scripts/install-deps.sh

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-sanitize
	$(MAKE) --no-print-directory fuzz-build

# The core and the command-line tools again under AddressSanitizer and UBSan; any report fails.
test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	    -DORVIKEL_BUILD_GUI=OFF -DORVIKEL_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

# The core, the tools and their tests cross-built for Windows (mingw-w64, $(WIN_BUILD)) and run
# under Wine with a Japanese and an English locale; then orvikel-sample.exe and orvikel-dump.exe
# against the Linux build over generated folders, byte for byte.
windows-test: configure
	@scripts/install-deps.sh windows
	scripts/windows-test.sh $(BUILD) $(WIN_BUILD) $(JOBS)

# Rewrites the golden tables of the text edge (tests/golden) from Windows' own functions.
golden: configure
	@scripts/install-deps.sh windows
	scripts/windows-test.sh --golden $(BUILD) $(WIN_BUILD) $(JOBS)

# libFuzzer over every reader of outside input, FUZZ_SECONDS each (clang, own build folder).
# Findings land in $(FUZZ_BUILD)/artifacts/<target>/; the run fails when there is any.
fuzz: fuzz-build
	scripts/fuzz-corpus.sh $(FUZZ_BUILD)
	scripts/run-fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# The fuzz targets built, not run (part of `make test`, so they cannot break unseen).
fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
	    -DORVIKEL_FUZZ=ON -DORVIKEL_BUILD_GUI=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target orvikel_fuzz_targets

# Speed of the refresh against its I/O floor, of a trio BOX click, of the theoretical odds of a
# race, of storing a snapshot and of the オッズ推移 window (Release, own folder).
bench: deps
	cmake -S . -B $(BENCH_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DORVIKEL_BENCH=ON
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target orvikel_bench orvikel_startup_bench \
	    orvikel_history_window_bench orvikel_live_bench
	$(BENCH_BUILD)/bench/orvikel_bench
	for i in 1 2 3 4 5; do QT_QPA_PLATFORM=offscreen $(BENCH_BUILD)/bench/orvikel_startup_bench; done
	for i in 1 2 3; do QT_QPA_PLATFORM=offscreen $(BENCH_BUILD)/bench/orvikel_history_window_bench; done
	for i in 1 2 3; do QT_QPA_PLATFORM=offscreen $(BENCH_BUILD)/bench/orvikel_live_bench; done

# The demo starts with some odds history (a few moments of the afternoon); write the folder
# again later (orvikel-sample demo-data --minutes 20, 24, ...) to see 自動更新 follow it.
run: build
	scripts/demo-history.sh $(BUILD) $(DEMO)
	scripts/run-demo.sh $(BUILD) $(DEMO)

# Pictures of the windows over the demo data, at 100 % and 200 %, into screenshots/.
screenshot: build
	$(BUILD)/src/tools/orvikel-sample $(DEMO)
	scripts/screenshot.sh $(BUILD) $(DEMO) $(CURDIR)/screenshots

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD) $(WIN_BUILD) $(DEMO)
