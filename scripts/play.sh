#!/usr/bin/env bash
# Installs what is missing, builds the release game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake --preset release >/dev/null
cmake --build --preset release --target bolvenda
exec build/release/app/bolvenda
