# The commands of the README: `make run`, `make planner` and `make test`.
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: run planner test build deps bench clean

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -G Ninja >/dev/null
	@# The meta-object step does not notice a window added to an existing
	@# build by itself; it only re-runs moc where something changed.
	@find $(BUILD) -path '*_autogen/timestamp' -delete
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	cd demo && ../$(BUILD)/app/orvqz

planner: build
	cd demo && ../$(BUILD)/app/orvqz-planner

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The benchmark programs only, not the folders the build keeps beside them;
# fails when any of them failed.
bench: build
	@status=0; for b in $(BUILD)/bench/bench_*; do \
		if [ -f "$$b" ] && [ -x "$$b" ]; then "$$b" || status=1; fi; \
	done; exit $$status

clean:
	rm -rf $(BUILD)
