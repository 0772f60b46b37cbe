#!/usr/bin/env bash
# Runs clang-tidy (configuration in .clang-tidy) over the core's sources, using
# the compile commands of the developer build.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ ! -f build/dev/compile_commands.json ]; then
  cmake --preset dev
  cmake --build --preset dev -j"$(nproc)"
fi
files=$(find src/platform src/model src/engine src/data src/calc src/setup src/chart -name '*.cpp' | sort)
# shellcheck disable=SC2086
clang-tidy -p build/dev --quiet --extra-arg=-Wno-unknown-warning-option $files
