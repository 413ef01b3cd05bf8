# Developer entry points. `make demo` and `make test` work on a fresh Debian 12 machine.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
CMAKE_GEN  := -G Ninja

.PHONY: all deps build demo bench test unit-test asan-test fuzz clean

all: build

deps:
	@tools/install-deps

build: deps
	@cmake -S . -B $(BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

demo: build
	@cmake --install $(BUILD) --prefix dist >/dev/null
	@tools/demo dist

# Compiled programs against octave-cli; BENCH_ARGS passes options (bench/run -h),
# e.g. make bench BENCH_ARGS="--runs 5 matmul". `make test` leaves the benchmark
# programs out (2 minutes of compiling); `cd build && ctest -L bench` builds and runs
# them at their tiny size.
bench: build
	@cmake --install $(BUILD) --prefix dist >/dev/null
	@bench/run --root dist $(BENCH_ARGS)

# Both suites run even when the first fails; the last line tells where the time went.
test:
	@t0=$$(date +%s); $(MAKE) --no-print-directory build || exit 1; t1=$$(date +%s); \
	(cd $(BUILD) && ctest --output-on-failure -j $(JOBS) -LE '^bench$$'); rc=$$?; t2=$$(date +%s); \
	$(MAKE) --no-print-directory asan-test; rc2=$$?; t3=$$(date +%s); \
	echo "make test: build $$((t1-t0)) s, tests $$((t2-t1)) s, sanitizer build and tests $$((t3-t2)) s"; \
	[ $$rc -eq 0 ] && [ $$rc2 -eq 0 ]

# The unit tests and the conformance programs again, under AddressSanitizer and
# UndefinedBehaviorSanitizer: translator, library and the compiled programs. The
# benchmark programs, the float variants and the -noinfer variants run in the Release
# suite only: they call the same library code as the conformance programs; so do the
# programs labelled release_only (tests/programs/CMakeLists.txt keeps a few of each area).
asan-test: deps
	@cmake -S . -B $(ASAN_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DKORVAL_SANITIZE=ON >/dev/null
	@t0=$$(date +%s); cmake --build $(ASAN_BUILD) -j $(JOBS) && echo "sanitizer build $$(($$(date +%s)-t0)) s"
	@cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=0:exitcode=86 UBSAN_OPTIONS=print_stacktrace=1:exitcode=86 \
	  ctest --output-on-failure -j $(JOBS) -L 'unit|cli|programs' -LE '^release_only$$' \
	  -E '\.(float|noinfer)$$|^bench\.'

# The translator on mutated M-files under AFL++, with AddressSanitizer and
# UndefinedBehaviorSanitizer, for FUZZ_SECONDS (default one hour); seeded from the
# conformance programs. Findings: $(FUZZ_BUILD)/fuzz-out/default/{crashes,hangs}.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 3600
fuzz: build
	@cmake --install $(BUILD) --prefix $(FUZZ_BUILD)/root >/dev/null
	@CXX=afl-clang-fast++ cmake -S . -B $(FUZZ_BUILD) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug \
	  -DKORVAL_SANITIZE=ON -DKORVAL_TESTS=OFF >/dev/null
	@AFL_QUIET=1 cmake --build $(FUZZ_BUILD) -j $(JOBS) --target korval-fuzz
	@tools/fuzz/run $(FUZZ_BUILD) $(abspath $(FUZZ_BUILD))/root $(FUZZ_SECONDS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) dist
