#!/usr/bin/env bash
# Installs what is missing, builds the developer configuration and runs every
# test. Under CI (CI=true) compiler warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi

cmake --preset dev -DVELKAR_WERROR="$werror"
cmake --build --preset dev -j"$(nproc)"
ctest --preset dev -j"$(nproc)"
