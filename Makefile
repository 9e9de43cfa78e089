# Two commands for a newcomer: `make run` and `make test`.
# Both first install whatever Debian packages are missing (as root, or with sudo).

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
BENCH_BUILD ?= build-bench
DEB_BUILD  ?= build-deb
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 60

PACKAGES = cmake ninja-build g++ make qt6-base-dev libgtest-dev libgmock-dev \
           libbenchmark-dev nlohmann-json3-dev clang-format libxml2-utils desktop-file-utils \
           qt6-charts-dev qt6-svg-dev appstream dpkg-dev file
FUZZ_PACKAGES = clang libclang-rt-14-dev

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps build run test bench bench-quick test-asan format format-check install uninstall deb fuzz fuzz-deps clean

all: build

deps:
	@missing=""; for p in $(PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/src/app/vaziduvu

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVAZIDUVU_BUILD_TESTS=OFF
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	@for b in $(BENCH_BUILD)/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$b" && "$$b" || exit 1; done

# Every benchmark once, on small data, from the test build: it shows that
# each still runs to its end (CI runs it; the figures mean nothing).
bench-quick: build
	@for b in $(BUILD)/bench/bench_*; do [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$b (quick)" && \
	  VAZIDUVU_BENCH_QUICK=1 QT_QPA_PLATFORM=offscreen "$$b" --benchmark_min_time=0.001 >/dev/null || exit 1; done

# The sanitizer run: the whole test suite under AddressSanitizer (leaks
# included) and UndefinedBehaviorSanitizer, any finding fatal. The same
# settings hold while building, because test discovery runs the binaries.
ASAN_ENV = ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1 \
           UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
           QT_QPA_PLATFORM=offscreen

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVAZIDUVU_SANITIZE=ON \
	  -DVAZIDUVU_BUILD_BENCH=OFF
	$(ASAN_ENV) cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && $(ASAN_ENV) ctest --output-on-failure -j $(JOBS)

# Installs into PREFIX (DESTDIR works as usual), then tells the desktop about the
# new file type and entry when their tools are there. uninstall removes what
# install wrote.
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)
	-@[ -n "$(DESTDIR)" ] || ! command -v update-mime-database >/dev/null || update-mime-database $(PREFIX)/share/mime
	-@[ -n "$(DESTDIR)" ] || ! command -v update-desktop-database >/dev/null || update-desktop-database $(PREFIX)/share/applications

uninstall:
	@[ -f $(BUILD)/install_manifest.txt ] || { echo "Nothing installed from $(BUILD)."; exit 1; }
	xargs -d '\n' rm -f -- < $(BUILD)/install_manifest.txt
	-@! command -v update-mime-database >/dev/null || update-mime-database $(PREFIX)/share/mime

# A Debian package of what install puts in place, from a Release build of the two programs
# (tests and benchmarks left out), checked before it is handed out.
deb: deps
	cmake -S . -B $(DEB_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVAZIDUVU_BUILD_TESTS=OFF \
	  -DVAZIDUVU_BUILD_BENCH=OFF
	cmake --build $(DEB_BUILD) -j $(JOBS)
	cd $(DEB_BUILD) && cpack -G DEB
	appstreamcli validate --no-net packaging/vaziduvu.metainfo.xml
	desktop-file-validate packaging/vaziduvu.desktop
	@ls $(DEB_BUILD)/vaziduvu_*.deb

# The code follows .clang-format; format-check fails on any difference.
FORMATTED = $(shell git ls-files --cached --others --exclude-standard 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'fuzz/*.cpp')

format: deps
	clang-format -i $(FORMATTED)

format-check: deps
	clang-format --dry-run --Werror $(FORMATTED)

fuzz-deps:
	@missing=""; for p in $(FUZZ_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y $$missing; \
	fi

# libFuzzer over the reader, the document and the writers, then over the
# Cabrillo, CSV and ADX readers and writers, then over the command-line
# tool's batched and whole-log runs, each for FUZZ_SECONDS, starting from the
# examples, the test fixtures and fuzz/corpus. The working corpora and any
# crash, leak or timeout input stay under $(FUZZ_BUILD).
FUZZ_CORPUS    = $(FUZZ_BUILD)/corpus
FUZZ_ARTIFACTS = $(FUZZ_BUILD)/artifacts
FUZZ_FORMATS_CORPUS = $(FUZZ_BUILD)/corpus-formats
FUZZ_CLI_CORPUS = $(FUZZ_BUILD)/corpus-cli

fuzz: deps fuzz-deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_COMPILER=clang++ -DVAZIDUVU_FUZZ=ON -DVAZIDUVU_BUILD_APP=OFF \
	  -DVAZIDUVU_BUILD_TESTS=OFF -DVAZIDUVU_BUILD_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_reader fuzz_formats fuzz_cli
	mkdir -p $(FUZZ_CORPUS) $(FUZZ_ARTIFACTS) $(FUZZ_FORMATS_CORPUS) $(FUZZ_CLI_CORPUS)
	find examples tests/data fuzz/corpus -maxdepth 1 -type f \( -name '*.adi' -o -name '*.badi' \) \
	  -exec cp -t $(FUZZ_CORPUS) {} + -exec cp -t $(FUZZ_CLI_CORPUS) {} +
	$(FUZZ_BUILD)/fuzz/fuzz_reader -max_total_time=$(FUZZ_SECONDS) -timeout=20 \
	  -dict=fuzz/adif.dict -artifact_prefix=$(FUZZ_ARTIFACTS)/ -print_final_stats=1 $(FUZZ_CORPUS)
	# Seeds of the other forms: the first byte picks Cabrillo (0), CSV (1) or ADX (2).
	for f in tests/data/cabrillo-*.log; do printf '\000' | cat - $$f > $(FUZZ_FORMATS_CORPUS)/$$(basename $$f); done
	printf '\001CALL,NAME\r\nW1AW,"a, ""b"""\r\n' > $(FUZZ_FORMATS_CORPUS)/seed.csv
	printf '\002<ADX><RECORDS><RECORD><CALL>W1AW</CALL></RECORD></RECORDS></ADX>' > $(FUZZ_FORMATS_CORPUS)/seed.adx
	$(FUZZ_BUILD)/fuzz/fuzz_formats -max_total_time=$(FUZZ_SECONDS) -timeout=20 \
	  -artifact_prefix=$(FUZZ_ARTIFACTS)/formats- -print_final_stats=1 $(FUZZ_FORMATS_CORPUS)
	$(FUZZ_BUILD)/fuzz/fuzz_cli -max_total_time=$(FUZZ_SECONDS) -timeout=20 \
	  -dict=fuzz/adif.dict -artifact_prefix=$(FUZZ_ARTIFACTS)/cli- -print_final_stats=1 $(FUZZ_CLI_CORPUS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(BENCH_BUILD) $(DEB_BUILD)
