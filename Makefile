# Two commands for a new user (see README.md):
#   make run    installs what is missing, builds and starts the game
#   make test   installs what is missing, checks the code's format, builds
#               with warnings as errors and runs every test, then runs them
#               again under the sanitizers (make test-sanitize) and checks
#               the Debian package (make test-package)
# and one for a Debian package of the game:
#   make deb    builds it into build-deb/
# The builds themselves are the presets of CMakePresets.json: normal (build/)
# and sanitize (build-sanitize/).
# The Debian package is built from a copy of the sources, in a folder of its own.
DEB_BUILD ?= build-deb
JOBS := $(shell nproc)

.PHONY: deps build run test test-sanitize deb test-package format format-check clean

deps:
	@tools/install-deps.sh

build: deps
	cmake --preset normal
	cmake --build --preset normal

run: build
	build/app/kanacatch

test: format-check build
	ctest --preset normal -j $(JOBS)
	$(MAKE) test-sanitize
	$(MAKE) test-package

# The installation test needs the data folder, which this build leaves out.
test-sanitize: deps
	cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize -j $(JOBS)

deb: deps
	packaging/build-deb.sh $(DEB_BUILD)

# Builds the package twice and checks it: lintian, its files, the same files
# from both builds, and the unpacked program started under Xvfb.
test-package: deps
	packaging/check-deb.sh $(DEB_BUILD)

# The C++ of the game, its tests, benchmarks and data generators keeps the
# one format of .clang-format.
format: deps
	tools/format.sh

format-check: deps
	tools/format.sh --check

clean:
	rm -rf build build-sanitize build-package $(DEB_BUILD)
