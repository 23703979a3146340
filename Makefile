# Two entry points: `make run` builds and starts Plimo, `make test` builds and
# runs every test. Both install what is missing from Debian first.
BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
VERB       ?= placer

.PHONY: deps build run test test-main test-asan test-fuzz bench package screenshots clean

deps:
	@./scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@./scripts/run.sh $(BUILD) $(VERB)

test: deps
	@./scripts/test.sh

bench: build
	@./scripts/bench.sh $(BUILD)

# Pictures of the main window in both layouts, in the build folder's screenshots/.
screenshots: build
	@cmake --build $(BUILD) --target screenshots

# The Debian package, plimo_VERSION_ARCH.deb in the build folder.
package: build
	@cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
