# The two set-up commands of the README, and a few more for developers.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build demo check check-sanitize check-install package install-deb fuzz bench \
	soak format

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Writes the demo log and opens it in the viewer; without a display, prints its header instead.
demo: build
	$(BUILD)/src/kivo demo $(BUILD)/demo
	if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then $(BUILD)/src/kivo-viewer $(BUILD)/demo/demo.bhx; \
	else echo "no display: showing the log's header instead"; $(BUILD)/src/kivo info $(BUILD)/demo/demo.bhx; fi

# Builds and runs every test; the window tests run on a virtual X server.
check: build
	xvfb-run -a -s "-screen 0 1600x1200x24" ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The Debian package of the build, $(BUILD)/kivo_<version>_amd64.deb, and its installation.
# (The dot stands for the opening parenthesis, which make would count as its own.)
VERSION := $(shell sed -n 's/^project.kivo VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
SUDO := $(shell [ "$$(id -u)" -eq 0 ] || echo sudo)
package: build
	cmake --build $(BUILD) --target package
install-deb: package
	$(SUDO) apt-get install -y $(abspath $(BUILD))/kivo_$(VERSION)_amd64.deb

# Installs into a scratch prefix and checks the tree with the desktop's tools, then installs
# the package on this machine, runs its programs and removes it again.
check-install: build
	scripts/check-install $(BUILD)

# Every test again with AddressSanitizer and UndefinedBehaviorSanitizer, leak checking on.
check-sanitize: deps
	cmake -S . -B build-asan -G Ninja -DKIVO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug
	cmake --build build-asan -j $(JOBS)
	xvfb-run -a -s "-screen 0 1600x1200x24" ctest --test-dir build-asan --output-on-failure -j $(JOBS)

# The fuzz targets: a clang build of their own, then each run for FUZZ_SECONDS from seeds made
# from the demo log; any crash, sanitizer report, leak or hang fails.
FUZZ_SECONDS ?= 60
fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DKIVO_FUZZ=ON -DBUILD_TESTING=OFF
	cmake --build build-fuzz --target fuzz_ini fuzz_header fuzz_datafile fuzz_picksfile \
		fuzz_pickmaths kivo -j $(JOBS)
	fuzz/run build-fuzz $(FUZZ_SECONDS)

# A session of 100 rounds with a 1 GB log in one process (bench/soak_session.cpp): fails when
# the resident memory grows past 5 % or a file descriptor is left open. Under a minute.
soak: build
	cmake -S . -B $(BUILD) -DKIVO_BENCH=ON
	cmake --build $(BUILD) --target soak_session -j $(JOBS)
	QT_QPA_PLATFORM=offscreen $(BUILD)/bench/soak_session 100

# The benchmarks: a Release build of their own, then ten repetitions (medians reported), and a
# soak of 100 rounds of a session with a 1 GB log (memory and file descriptors kept).
bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DKIVO_BENCH=ON -DBUILD_TESTING=OFF
	cmake --build build-bench --target bench_redraw bench_open bench_picks bench_detect bench_overlay bench_plots \
		bench_enhance bench_overview bench_overviewgaps bench_linestep soak_session -j $(JOBS)
	QT_QPA_PLATFORM=offscreen build-bench/bench/bench_redraw --benchmark_repetitions=10 \
		--benchmark_report_aggregates_only=true
	build-bench/bench/bench_open --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
	build-bench/bench/bench_picks --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
	build-bench/bench/bench_detect --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	build-bench/bench/bench_overlay --benchmark_repetitions=10 --benchmark_report_aggregates_only=true
	QT_QPA_PLATFORM=offscreen build-bench/bench/bench_plots --benchmark_repetitions=10 \
		--benchmark_report_aggregates_only=true
	QT_QPA_PLATFORM=offscreen build-bench/bench/bench_enhance --benchmark_repetitions=10 \
		--benchmark_report_aggregates_only=true
	build-bench/bench/bench_overview --benchmark_repetitions=3 --benchmark_report_aggregates_only=true
	build-bench/bench/bench_overviewgaps
	xvfb-run -a -s "-screen 0 1600x1200x24" build-bench/bench/bench_linestep \
		--benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	QT_QPA_PLATFORM=offscreen build-bench/bench/soak_session 100
	cmake --build build-bench --target kivo -j $(JOBS)
	bench/printlog-export build-bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i
