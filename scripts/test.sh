#!/usr/bin/env bash
# Installs what is missing, builds the dev configuration and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
cmake --preset "${1:-dev}"
cmake --build --preset "${1:-dev}"
ctest --preset "${1:-dev}"
