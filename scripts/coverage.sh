#!/usr/bin/env bash
# Builds the coverage preset, runs the whole suite once and prints, per folder
# of src/ and tools/, how many lines and branches the tests ran. Branches that
# only exception handling takes and those the compiler proves unreachable are
# left out (gcovr --exclude-throw-branches --exclude-unreachable-branches), so
# the branch figure counts the decisions of the code as written.
#
#   bash scripts/coverage.sh            # build, test, print the table
#   bash scripts/coverage.sh --no-test  # print the table of the last run again
#
# The whole report per file is left in build/coverage/coverage.json.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/coverage
if [ "${1:-}" != "--no-test" ]; then
  bash scripts/install-deps.sh
  cmake --preset coverage
  cmake --build --preset coverage -j"$(nproc)"
  find "$build" -name '*.gcda' -delete
  ctest --preset coverage -j"$(nproc)" || echo "coverage: some tests failed; the figures count what ran"
fi

gcovr --root . --object-directory "$build" --filter 'src/' --filter 'tools/' \
  --exclude-throw-branches --exclude-unreachable-branches -j"$(nproc)" \
  --json "$build/coverage.json" >/dev/null

python3 - "$build/coverage.json" <<'PY'
import collections, json, sys

# Folder of a file: src/<area> or tools.
def folder(path):
    parts = path.split("/")
    return "/".join(parts[:2]) if parts[0] == "src" and len(parts) > 2 else parts[0]

count = collections.defaultdict(lambda: [0, 0, 0, 0])  # lines run, lines, branches taken, branches
for entry in json.load(open(sys.argv[1]))["files"]:
    c = count[folder(entry["file"])]
    for line in entry["lines"]:
        if line.get("gcovr/noncode"):
            continue
        c[0] += line["count"] > 0
        c[1] += 1
        for branch in line["branches"]:
            c[2] += branch["count"] > 0
            c[3] += 1

def row(name, c):
    pct = lambda a, b: "%6.1f%%" % (100.0 * a / b) if b else "      -"
    print("%-14s %s %6d/%-6d %s %6d/%-6d" % (name, pct(c[0], c[1]), c[0], c[1], pct(c[2], c[3]),
                                           c[2], c[3]))

order = ["src/platform", "src/model", "src/engine", "src/data", "src/calc", "src/setup", "tools",
         "src/ui"]
print("%-14s %7s %13s %7s %13s" % ("folder", "lines", "", "branches", ""))
for name in order + sorted(set(count) - set(order)):
    if name in count:
        row(name, count[name])
core = [sum(count[f][i] for f in count if f != "src/ui") for i in range(4)]
row("core + tools", core)
PY
