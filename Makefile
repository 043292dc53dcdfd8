# Two commands for a new user (see README.md):
#   make run    installs what is missing, builds and starts the game
#   make test   installs what is missing, builds and runs every test, then
#               runs them again under the sanitizers (make test-sanitize)
#               and checks the Debian package (make test-package)
# and one for a Debian package of the game:
#   make deb    builds it into build-deb/
BUILD ?= build
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The sanitizer build leaves out the data folder: its tests make their own.
SANITIZE_BUILD ?= build-sanitize
# The Debian package is built from a copy of the sources, in a folder of its own.
DEB_BUILD ?= build-deb
# A sanitizer report fails the test that met it; the leaks that the libraries
# under the game keep until exit are listed in tools/lsan-suppressions.txt.
# Qt is built without frame pointers: only the slow unwinder sees through it
# to the frames the suppressions name, eight frames deep to keep it quick.
SANITIZE_ENV = UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	ASAN_OPTIONS=fast_unwind_on_malloc=0:malloc_context_size=8 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan-suppressions.txt:print_suppressions=0

.PHONY: deps build run test test-sanitize deb test-package clean

deps:
	@tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD)

run: build
	$(BUILD)/app/kanacatch

test: build
	tools/run-tests.sh $(BUILD)
	$(MAKE) test-sanitize
	$(MAKE) test-package

test-sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) $(CMAKE_FLAGS) -DKANACATCH_SANITIZE=ON -DKANACATCH_DATA_PARTS=
	$(SANITIZE_ENV) cmake --build $(SANITIZE_BUILD)
	# The installation test needs the data folder, which this build leaves out.
	$(SANITIZE_ENV) tools/run-tests.sh $(SANITIZE_BUILD) -LE install

deb: deps
	packaging/build-deb.sh $(DEB_BUILD)

# Builds the package twice and checks it: lintian, its files, the same files
# from both builds, and the unpacked program started under Xvfb.
test-package: deps
	packaging/check-deb.sh $(DEB_BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(DEB_BUILD)
