#!/usr/bin/env bash
# Sets up and builds (scripts/setup.sh), then runs every test: the C++ unit
# tests, the page script tests and the end-to-end tests in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
ctest --test-dir out/build --output-on-failure -j"$(nproc)"
node --test --test-concurrency=2 tests/page/ tests/e2e/
