#!/usr/bin/env bash
# Installs what is missing, builds the dev configuration and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test
# The browser game and the Windows build, once per CI run, with the first (dev) suite, which
# plays them in Chromium, Firefox and WebKit and under Wine: the sanitizers change nothing there.
if [ "${1:-dev}" = dev ]; then
  bash scripts/web.sh
  bash tests/web/setup.sh
  bash scripts/windows.sh
fi
cmake --preset "${1:-dev}"
cmake --build --preset "${1:-dev}"
ctest --preset "${1:-dev}"
