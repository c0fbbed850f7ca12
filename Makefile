# The two commands a newcomer needs: `make run` and `make test`. Both install what is
# missing, configure and build.
BUILD     ?= build
ASAN_BUILD ?= build-asan
JOBS      ?= $(shell nproc 2>/dev/null || echo 2)
DEMO      ?= $(CURDIR)/demo-data
CMAKE_GEN := -G Ninja

.PHONY: all deps configure build test test-sanitize run screenshot clean

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

# The core and the command-line tools again under AddressSanitizer and UBSan; any report fails.
test-sanitize: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	    -DORVIKEL_BUILD_GUI=OFF -DORVIKEL_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

run: build
	$(BUILD)/src/tools/orvikel-sample $(DEMO)
	scripts/run-demo.sh $(BUILD) $(DEMO)

# Pictures of the windows over the demo data, at 100 % and 200 %, into screenshots/.
screenshot: build
	$(BUILD)/src/tools/orvikel-sample $(DEMO)
	scripts/screenshot.sh $(BUILD) $(DEMO) $(CURDIR)/screenshots

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(DEMO)
