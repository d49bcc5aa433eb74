# The two set-up commands: `make play` and `make test`. Both install missing
# Debian packages, configure and build into build/, and are safe to repeat.
BUILD ?= build
GENERATOR := $(shell command -v ninja >/dev/null 2>&1 && echo Ninja || echo "Unix Makefiles")
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build play play-gl test test-sanitize bench soak fuzz format clean

all: build

deps:
	@sh tools/install-deps.sh

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Release -DVORN_BENCH=ON

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

play: build
	cd game && ../$(BUILD)/bin/monsters

# The same game drawn through OpenGL (needs an X display with OpenGL).
play-gl: build
	cd game && ../$(BUILD)/bin/monsters autoexec_gl.txt

# The whole suite, then two minutes of the game played by a recording.
test: build
	@sh tools/run-tests.sh $(BUILD)
	@SOAK_SAMPLE_SECONDS=10 sh tools/soak.sh 2 $(BUILD)

test-sanitize: deps
	cmake -S . -B build-sanitize -G "$(GENERATOR)" -DCMAKE_BUILD_TYPE=Debug -DVORN_SANITIZE=ON
	cmake --build build-sanitize -j $(JOBS)
	@sh tools/run-tests.sh build-sanitize

bench: build
	cd game && ../$(BUILD)/bin/vorn_bench

# Endurance run of the game under SDL's dummy drivers: SOAK_MINUTES (60) of
# play, memory and log checked every minute (see tools/soak.sh).
SOAK_MINUTES ?= 60
soak: build
	sh tools/soak.sh $(SOAK_MINUTES) $(BUILD)

format:
	find src tests bench tools fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-sanitize

# libFuzzer targets (clang). Run one with e.g.
#   build-fuzz/xml_fuzz -max_total_time=600 fuzz/corpus-xml
fuzz: deps
	CXX=clang++ cmake -S fuzz -B build-fuzz -G "$(GENERATOR)"
	cmake --build build-fuzz -j $(JOBS)
