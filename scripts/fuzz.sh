#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one for a bounded time
# (seconds, default 30) with a low memory limit, starting from the seed files
# in fuzz/seeds/<target>/. New inputs go to a scratch corpus, not the repository;
# an input that fails is kept in build/fuzz/artifacts/ to reproduce it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"

bash scripts/install-deps.sh
cmake --preset fuzz
cmake --build --preset fuzz -j"$(nproc)"

artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"
shopt -s nullglob
fuzzers=(build/fuzz/bin/fuzz_*)
if [ ${#fuzzers[@]} -eq 0 ]; then
  echo "fuzz: no fuzz targets were built" >&2
  exit 1
fi
for fuzzer in "${fuzzers[@]}"; do
  name=$(basename "$fuzzer")
  corpus=$(mktemp -d)
  if [ -d "fuzz/seeds/$name" ]; then cp -r "fuzz/seeds/$name/." "$corpus/"; fi
  echo "fuzz: $name for ${seconds}s"
  "$fuzzer" -max_total_time="$seconds" -malloc_limit_mb=256 -rss_limit_mb=1024 \
    -timeout=10 -print_final_stats=1 -artifact_prefix="$artifacts/$name-" "$corpus" 2>&1 | tail -n 12
  status=${PIPESTATUS[0]}
  rm -rf "$corpus"
  if [ "$status" -ne 0 ]; then
    echo "fuzz: $name failed" >&2
    exit "$status"
  fi
done
