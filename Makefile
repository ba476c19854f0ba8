# The front door. `make run` and `make test` each install what is missing, configure, build, and then
# run the program or the whole suite.

BUILD        ?= build
BUILD_ASAN   ?= build-asan
GENERATOR    := -G Ninja
PACKAGES     := cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev
RUN_FOLDER   := $(BUILD)/run
DEMO_GAME    := $(BUILD)/demo-game

.PHONY: run test test-sanitize bench deps configure build screenshots clean

deps:
	@missing=""; for p in $(PACKAGES); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" = 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

# The program runs in a start folder of its own, where it keeps Vexorel.ini and BACKUP. A demo game
# folder is prepared beside it for those without the game: pick its System/UnrealTournament.exe.
run: build
	@mkdir -p $(RUN_FOLDER) $(DEMO_GAME)/System
	@[ -f $(DEMO_GAME)/System/UnrealTournament.ini ] || cp examples/game/System/UnrealTournament.ini $(DEMO_GAME)/System/
	@[ -f $(DEMO_GAME)/System/UnrealTournament.exe ] || cp examples/game/System/UnrealTournament.exe $(DEMO_GAME)/System/
	@echo "No game installed? Pick $(abspath $(DEMO_GAME))/System/UnrealTournament.exe when Vexorel asks."
	cd $(RUN_FOLDER) && $(abspath $(BUILD))/src/vexorel

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j2

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	cmake -S . -B $(BUILD_ASAN) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DVEXOREL_SANITIZE=ON -DVEXOREL_BUILD_BENCH=OFF
	cmake --build $(BUILD_ASAN)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(abspath tests/lsan.supp) \
	  ctest --test-dir $(BUILD_ASAN) --output-on-failure -j2

bench: build
	$(BUILD)/bench/vexorel_bench

screenshots: build
	scripts/screenshots.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD_ASAN)
