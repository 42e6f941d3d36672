#!/usr/bin/env bash
# Installs what is missing, builds the dev configuration and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
# The browser game and its test packages, once per suite: the sanitizers change nothing there.
if [ "${1:-dev}" != asan ]; then
  bash scripts/web.sh
  bash tests/web/setup.sh
fi
cmake --preset "${1:-dev}"
cmake --build --preset "${1:-dev}"
ctest --preset "${1:-dev}"
