#!/usr/bin/env bash
# Installs what is missing, builds the release configuration and starts Velkar
# on the bundled sample data (the build puts the data files beside the program).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

cmake --preset release
cmake --build --preset release -j"$(nproc)"
exec build/release/bin/Velkar
