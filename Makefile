# The two commands of the README, plus the screenshots, the install and the
# Debian package.
BUILD_DIR ?= build
JOBS ?= 2
PREFIX ?= /usr/local

.PHONY: deps build run test screenshots install uninstall package clean

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD_DIR) -j$(JOBS)

# The first run seeds data/ with the demonstration folder.
run: build
	@[ -d data ] || ./$(BUILD_DIR)/src/quorvan demo data
	@mkdir -p data
	@cd data && ../$(BUILD_DIR)/src/quorvan

test: build
	@cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

screenshots: build
	@bash scripts/screenshots.sh $(BUILD_DIR)

# The program, its desktop entry, icons, metainfo and man page under PREFIX.
# It installs what `make build` built: run as root (sudo make install), it
# builds nothing, so that the build folder stays its owner's.
install:
	@test -x $(BUILD_DIR)/src/quorvan || { echo "Nothing built yet: run make build first." >&2; exit 1; }
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)
	@cp $(BUILD_DIR)/install_manifest.txt $(BUILD_DIR)/installed-files.txt

# Removes what the last `make install` put in place (the package and the
# tests install elsewhere and leave this list alone).
uninstall:
	@test -f $(BUILD_DIR)/installed-files.txt || { echo "No install recorded in $(BUILD_DIR)." >&2; exit 1; }
	@xargs -d '\n' rm -fv -- < $(BUILD_DIR)/installed-files.txt
	@rm -f $(BUILD_DIR)/installed-files.txt

# $(BUILD_DIR)/quorvan_<version>_<arch>.deb, for apt-get install ./….deb
package: build
	@cd $(BUILD_DIR) && cpack -G DEB

clean:
	@rm -rf $(BUILD_DIR)
