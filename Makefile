# A thin wrapper over the CMake presets. Every target runs the set-up script first.
.PHONY: setup build test run sanitize fuzz bench bench-peers screenshots format clean

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

run: build
	build/bin/kalpeno

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build build-sanitize build-release build-fuzz
