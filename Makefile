# Two commands for a new user (see README.md):
#   make run    installs what is missing, builds and starts the game
#   make test   installs what is missing, builds and runs every test
BUILD ?= build
CMAKE_FLAGS ?= -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps build run test clean

deps:
	@tools/install-deps.sh

build: deps
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD)

run: build
	$(BUILD)/app/kanacatch

test: build
	tools/run-tests.sh $(BUILD)

clean:
	rm -rf $(BUILD)
