#!/usr/bin/env bash
# Every C++ file of the project laid out as the root .clang-format says (Debian's clang-format
# 14): a file that differs fails the suite, and CI with it. `clang-format -i FILE` fixes one.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { echo "clang-format is not installed: scripts/install-deps.sh test"; exit 1; }
mapfile -t files < <(find runtime scene game play render platform app tests bench tools \( -name '*.cpp' -o -name '*.hpp' \) | sort)
clang-format --dry-run --Werror "${files[@]}"
echo "format: ${#files[@]} C++ files as .clang-format lays them out"
