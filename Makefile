# The front door. `make run` and `make test` each install what is missing, configure, build, and then
# run the program or the whole suite.

BUILD        ?= build
BUILD_ASAN   ?= build-asan
GENERATOR    := -G Ninja
PACKAGES     := cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libgtest-dev libgmock-dev libbenchmark-dev desktop-file-utils dpkg-dev lintian appstream
RUN_FOLDER   := $(BUILD)/run
DEMO_GAME    := $(BUILD)/demo-game

.PHONY: run test test-sanitize test-clang windows test-windows bench deps configure build screenshots clean fuzz fuzz-ci fuzz-deps \
        format format-check tidy

# Installs the Debian packages named in $(1) that are missing (as root, or through sudo).
define install-missing
	@missing=""; for p in $(1); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  if [ "$$(id -u)" = 0 ]; then SUDO=""; else SUDO="sudo"; fi; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing; \
	fi
endef

deps:
	$(call install-missing,$(PACKAGES))

# Our own builds treat warnings as errors (VEXOREL_WERROR); a build folder from before that option is
# configured again once, as the Makefile is newer than it.
$(BUILD)/build.ninja: Makefile | deps
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXOREL_WERROR=ON

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
	cmake -S . -B $(BUILD_ASAN) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DVEXOREL_SANITIZE=ON -DVEXOREL_BUILD_BENCH=OFF \
	  -DVEXOREL_WERROR=ON
	cmake --build $(BUILD_ASAN)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  LSAN_OPTIONS=suppressions=$(abspath tests/lsan.supp) \
	  ctest --test-dir $(BUILD_ASAN) --output-on-failure -j2

# The same suite built with clang, so that code only one compiler accepts is caught.
BUILD_CLANG  ?= build-clang

test-clang: deps fuzz-deps
	CC=clang CXX=clang++ cmake -S . -B $(BUILD_CLANG) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVEXOREL_BUILD_BENCH=OFF -DVEXOREL_WERROR=ON
	cmake --build $(BUILD_CLANG) -j2
	ctest --test-dir $(BUILD_CLANG) --output-on-failure -j2

# Habits CI keeps: the layout clang-format gives (.clang-format), and clang-tidy's bug and performance
# checks (.clang-tidy) over the build's compile commands. `make format` lays out every file.
STYLE_PACKAGES := clang-format clang-tidy
FORMATTED       = $$(git ls-files '*.cpp' '*.h')

format:
	clang-format -i $(FORMATTED)

format-check:
	$(call install-missing,$(STYLE_PACKAGES))
	clang-format --dry-run --Werror $(FORMATTED)

tidy: build
	$(call install-missing,$(STYLE_PACKAGES))
	run-clang-tidy -p $(BUILD) -j2 -quiet '$(abspath .)/(src|tools)/'

bench: build
	$(BUILD)/bench/vexorel_bench

screenshots: build
	scripts/screenshots.sh $(BUILD)

# The Windows program. A static Qt is built once from Debian's own qt6-base source into a cache outside
# the build folder (scripts/windows-qt.sh: about 30 minutes on 2 cores the first time, kept after that),
# then both programs are cross-built with MinGW-w64, and the zip and the installer are made in
# $(BUILD_WIN)/packages.
BUILD_WIN      ?= build-windows
WIN_PACKAGES   := cmake ninja-build googletest g++-mingw-w64-x86-64 qt6-base-dev qt6-base-dev-tools dpkg-dev nsis \
                  wine wine64 fonts-wine fonts-dejavu-core xvfb openbox xdotool x11-utils imagemagick unzip

windows:
	$(call install-missing,$(WIN_PACKAGES))
	qt=$$(scripts/windows-qt.sh) && \
	cmake -S . -B $(BUILD_WIN) $(GENERATOR) -DCMAKE_BUILD_TYPE=MinSizeRel -DVEXOREL_WERROR=ON \
	  -DCMAKE_TOOLCHAIN_FILE=$$qt/lib/cmake/Qt6/qt.toolchain.cmake \
	  -DQT_CHAINLOAD_TOOLCHAIN_FILE=$(abspath cmake/mingw-w64-x86_64.cmake)
	cmake --build $(BUILD_WIN)
	cmake --build $(BUILD_WIN) --target windows-packages

# The whole suite under Wine (offscreen, window tests included), then the real program under Wine with
# Xvfb and a window manager, and both packages installed, run and removed there.
test-windows: windows
	scripts/windows-tests.sh $(BUILD_WIN)

# Fuzzing the INI engine and the registry store with libFuzzer (clang, AddressSanitizer, UBSan). The
# corpus grows in $(BUILD_FUZZ)/corpus between runs; failing inputs land in $(BUILD_FUZZ)/findings.
# `make fuzz` is the long run by hand (FUZZ_SECONDS per target), `make fuzz-ci` a minute per target.
BUILD_FUZZ    ?= build-fuzz
FUZZ_SECONDS  ?= 600
FUZZ_PACKAGES := cmake ninja-build clang libclang-rt-14-dev

fuzz-deps:
	$(call install-missing,$(FUZZ_PACKAGES))

fuzz: fuzz-deps
	scripts/fuzz.sh $(BUILD_FUZZ) $(FUZZ_SECONDS)

fuzz-ci: fuzz-deps
	scripts/fuzz.sh $(BUILD_FUZZ) 60

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_CLANG) $(BUILD_WIN) $(BUILD_FUZZ)
