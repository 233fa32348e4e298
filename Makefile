# make run    installs what is missing, builds and starts the editor
# make test   installs what is missing, builds and runs every test
# make bench  builds optimised and runs the editor benchmarks on 100k, 1M and 10M lines,
#             with the peer editors of bench/peer beside ours (BENCH_PEERS=no leaves them)
# make fuzz   builds the fuzz targets with clang and runs each FUZZ_SECONDS seconds
# make install [PREFIX=/usr/local] [DESTDIR=]  installs the program and its desktop files
# make package builds the Debian package marvekedit_<version>_<arch>.deb here
# make keys    writes docs/keys.md from the editor's default key map
# make format  formats every C++ source with clang-format; make format-check only checks
BUILD ?= build
PREFIX ?= /usr/local
DESTDIR ?=
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60
# make bench: the script sizes measured (each generated once into BENCH_DATA) and the runs
# whose median is printed.
BENCH_LINES ?= 100000 1000000 10000000
BENCH_RUNS ?= 3
BENCH_DATA ?= build-release/bench-scripts
# The peer program's rounds per script, and the seconds after which a peer is stopped.
BENCH_PEERS ?= yes
BENCH_PEER_RUNS ?= 1
BENCH_PEER_SECONDS ?= 120

.PHONY: all bootstrap build run test bench sanitize fuzz install package keys format format-check clean

all: build

bootstrap:
	@scripts/bootstrap

$(BUILD)/build.ninja: CMakeLists.txt
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: bootstrap $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/marvekedit examples/sample.csm

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: bootstrap
	@[ "$(BENCH_PEERS)" != yes ] || scripts/bootstrap bench || echo "bench: QScintilla is missing; the peers are QPlainTextEdit only"
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DMARVEK_BUILD_TESTS=OFF
	cmake --build build-release -j $(JOBS) --target editor_bench
	@peer=""; if [ "$(BENCH_PEERS)" = yes ] && \
	  cmake -S bench/peer -B build-release/peer -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null && \
	  cmake --build build-release/peer -j $(JOBS); then peer=build-release/peer/peer_bench; fi; \
	echo "$$peer" > build-release/peer-program
	@mkdir -p $(BENCH_DATA)
	@for lines in $(BENCH_LINES); do \
	  script=$(BENCH_DATA)/script-$$lines.csm; \
	  [ -s $$script ] || { python3 ../shared/bench/gen_script.py $$lines $$script.part && \
	    mv $$script.part $$script; } || exit 1; \
	  echo "== $$lines lines"; \
	  peer=$$(cat build-release/peer-program); \
	  build-release/bench/editor_bench --runs $(BENCH_RUNS) $${peer:+--peer $$peer} \
	    --peer-runs $(BENCH_PEER_RUNS) --peer-seconds $(BENCH_PEER_SECONDS) $$script || exit 1; \
	done

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

package: bootstrap
	cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DMARVEK_BUILD_TESTS=OFF -DMARVEK_BUILD_BENCH=OFF -DCMAKE_INSTALL_PREFIX=/usr
	cmake --build build-package -j $(JOBS) --target marvekedit
	cd build-package && cpack -B "$(CURDIR)/build-package/packages"
	cp build-package/packages/marvekedit_*.deb .

keys: build
	$(BUILD)/keys_doc > docs/keys.md

# Every C++ file of the project, tracked or new (build folders are not in git's view).
FORMAT_FILES = $(shell git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h')

format: bootstrap
	clang-format -i $(FORMAT_FILES)

format-check: bootstrap
	clang-format --dry-run --Werror $(FORMAT_FILES)

sanitize:
	$(MAKE) test BUILD=build-asan CMAKE_FLAGS="-DMARVEK_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug"

fuzz:
	@scripts/bootstrap fuzz
	cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++
	cmake --build build-fuzz -j $(JOBS)
	scripts/run-fuzz build-fuzz $(FUZZ_SECONDS)

clean:
	rm -rf build build-release build-asan build-fuzz build-package marvekedit_*.deb
