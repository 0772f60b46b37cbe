#!/usr/bin/env bash
# Installs what is missing, builds the developer configuration and runs every
# test, then builds the web site (WebAssembly) and runs its tests against the
# developer build's velkar-tool. Under CI (CI=true) compiler warnings are errors.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi

cmake --preset dev -DVELKAR_WERROR="$werror"
cmake --build --preset dev -j"$(nproc)"
ctest --preset dev -j"$(nproc)"

cmake --preset web -DVELKAR_WERROR="$werror"
cmake --build --preset web -j"$(nproc)"
ctest --preset web
