# A thin wrapper over the CMake presets. Every target runs the set-up script first.
.PHONY: setup build build-windows windows-package test test-windows test-clean-root run check-input-method check-windows-program check-windows-installer package package-test monkey fuzz fuzz-merge bench bench-peers format clean

setup:
	@tools/setup.sh

build: setup
	cmake --preset default
	cmake --build --preset default

test: build
	ctest --preset default
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize
	$(MAKE) test-windows

# Windows: the MinGW-w64 cross-build in build-windows/, its tests under Wine (in a prefix of the
# build's own, with one wineserver and a desktop session for the run), their runs compared with
# the Linux build's, and the windows' screenshots at 96 and 192 dpi in build-windows/screenshots/.
build-windows:
	tools/setup.sh base windows
	cmake --preset windows
	cmake --build --preset windows

test-windows: build build-windows
	testing/windows/wine-session build-windows/wine -- ctest --preset windows
	testing/windows/screenshots build-windows/wine build-windows/bin/kalpeno-screenshots.exe \
	    build-windows/screenshots

# `make test` as on a fresh Debian 12 machine: in a minimal root made with debootstrap, from a
# fresh clone of HEAD, as root with an empty environment (tests/clean-root/clean-root.sh). Needs
# root. CLEAN_ROOT_TARGETS="test package-test" checks more.
CLEAN_ROOT_TARGETS ?= test
test-clean-root:
	tools/setup.sh cleanroot
	tests/clean-root/clean-root.sh $(CLEAN_ROOT_TARGETS)

run: build
	build/bin/kalpeno

# A calculation typed through a real Japanese input method (ibus with Mozc in kana mode) on Xvfb
# with openbox, read back over AT-SPI; screenshots of each step in build/input-method/.
check-input-method: build
	tools/setup.sh realworld
	tests/realworld/input-method.sh build/bin/kalpeno build/input-method

# The Windows program as its users meet it: kalpeno.exe under Wine with openbox, driven by XTest
# key presses and clicks and a real clipboard owner, its windows read back from outside;
# screenshots of each step in build-windows/windows-program/.
check-windows-program: build-windows
	tools/setup.sh realworld
	tests/realworld/windows-program.sh build-windows build-windows/windows-program

# The installer as a user meets it under Wine, on a Wine desktop with its taskbar, driven by real X
# input: its pages, the program, the Start-menu entry, the uninstaller; screenshots of each step
# in build-windows-package/windows-installer/.
check-windows-installer: windows-package build-windows
	tools/setup.sh realworld
	tests/realworld/windows-installer.sh build-windows-package build-windows \
	    build-windows-package/windows-installer

# The Debian package, from the Release build in build-package/: build-package/kalpeno_*.deb.
package:
	tools/setup.sh package
	cmake --preset package
	rm -f build-package/kalpeno_*.deb
	cmake --build --preset package -j 2 --target package

# The Windows installer and zip, from the stripped Release build in build-windows-package/:
# Kalpeno-<version>-setup.exe and Kalpeno-<version>-win64.zip there.
windows-package:
	tools/setup.sh windows-package
	cmake --preset windows-package
	cmake --build --preset windows-package -j 2

# The packages' checks: lintian reports no error and no warning, and the package's files pass
# the checks of the installed program that `make test` runs on `cmake --install`; the Windows
# installer and zip under Wine (tests/windows-package).
package-test: package build
	lintian --fail-on error,warning --tag-display-limit 0 build-package/kalpeno_*.deb
	bash tests/install/check-install.sh build-package/kalpeno_*.deb build/tests/install/libkalpeno_help_probe.so
	$(MAKE) windows-package build-windows
	tests/windows-package/check-windows-package.sh build-windows-package build-windows

# The long monkey on the Release build, the program as its users run it: MONKEY_EVENTS random
# user events (100,000) under Xvfb and openbox, with a new seed each run (printed, so that a run
# can be replayed), pastes up to 1 MiB. MONKEY_JOBS monkeys (4) share the events, each on an X
# server of its own with a seed derived from the run's; the run takes a copy of the program, so
# that a rebuild meanwhile does not change it under the run. The summary goes to
# build-release/monkey-summary.md.
MONKEY_EVENTS ?= 100000
MONKEY_JOBS ?= 4
monkey:
	tools/setup.sh bench
	cmake --preset release
	cmake --build --preset release -j 2 --target kalpeno kalpeno_help_text
	rm -rf build-release/monkey
	mkdir -p build-release/monkey
	cp build-release/bin/kalpeno build-release/bin/Help.txt build-release/monkey/
	tools/monkey/kalpeno-monkey --program build-release/monkey/kalpeno --events $(MONKEY_EVENTS) \
	    --jobs $(MONKEY_JOBS) --progress 1000 --summary build-release/monkey-summary.md

# The fuzz targets under libFuzzer, each for FUZZ_SECONDS, on a scratch copy of the corpus in
# build-fuzz/corpus/ (the committed corpus in tests/fuzz/corpus/ is only read). Findings land in
# build-fuzz/findings/<target>/; the summary of runs and coverage is build-fuzz/fuzz-summary.txt.
FUZZ_SECONDS ?= 60
FUZZ_TARGETS := fuzz_number_rules fuzz_events fuzz_help_file

fuzz:
	tools/setup.sh fuzz
	cmake --preset fuzz
	cmake --build --preset fuzz -j 2 --target $(FUZZ_TARGETS)
	@rm -f build-fuzz/fuzz-summary.txt; status=0; \
	for t in $(FUZZ_TARGETS); do \
	    mkdir -p build-fuzz/corpus/$$t build-fuzz/findings/$$t; \
	    echo "== $$t, $(FUZZ_SECONDS) s"; \
	    build-fuzz/bin/$$t -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	        -artifact_prefix=build-fuzz/findings/$$t/ \
	        build-fuzz/corpus/$$t tests/fuzz/corpus/$$t > build-fuzz/fuzz-$$t.log 2>&1 || status=1; \
	    { echo "$$t: $$(grep -E '^Done ' build-fuzz/fuzz-$$t.log | tail -1)"; \
	      echo "    $$(grep -E '^#[0-9]+' build-fuzz/fuzz-$$t.log | tail -1)"; \
	      echo "    findings: $$(ls build-fuzz/findings/$$t | wc -l)"; } | tee -a build-fuzz/fuzz-summary.txt; \
	done; exit $$status

# Adds to the committed corpus the scratch inputs that reach code (edges, not hit counts, so the
# corpus stays small) that it does not yet reach.
fuzz-merge:
	@for t in $(FUZZ_TARGETS); do \
	    build-fuzz/bin/$$t -merge=1 -use_counters=0 tests/fuzz/corpus/$$t build-fuzz/corpus/$$t 2>&1 | grep -E 'MERGE-OUTER: [0-9]+ new files'; \
	    echo "$$t: $$(ls tests/fuzz/corpus/$$t | wc -l) files in tests/fuzz/corpus/$$t"; \
	done

# The Release build with the benchmarks, then every benchmark: one table, also written to
# bench/results/latest.md. Benchmarks never fail on a figure; they are not part of `make test`.
bench:
	tools/setup.sh bench
	cmake --preset release
	cmake --build --preset release -j 2
	if command -v x86_64-w64-mingw32-g++-posix >/dev/null; then \
	    cmake --preset windows-release && cmake --build --preset windows-release -j 2; fi
	bench/run.sh

# The same, with the peer calculators installed for comparison (never a build dependency).
bench-peers:
	tools/setup.sh peers
	$(MAKE) bench

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-sanitize build-release build-package build-fuzz build-windows
