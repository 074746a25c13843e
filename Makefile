# The two commands of the README, plus the screenshots.
BUILD_DIR ?= build
JOBS ?= 2

.PHONY: deps build run test screenshots clean

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

clean:
	@rm -rf $(BUILD_DIR)
