#!/usr/bin/env bash
# Prints the C++ lines of tests/ and of src/ + tools/ that are neither blank nor
# only a comment, and their ratio. With --max R it fails when the ratio is above R,
# so the suite stays about a quarter to a third of the code as the code grows.
set -euo pipefail
cd "$(dirname "$0")/.."

max=""
if [ "${1:-}" = "--max" ]; then max="${2:?--max needs a ratio}"; fi

python3 - "$max" <<'PY'
import os, sys

def code_lines(path):
    n, block = 0, False
    with open(path, encoding="utf-8", errors="replace") as f:
        for line in f:
            t = line.strip()
            if block:
                block = "*/" not in t
                continue
            if not t or t.startswith("//"):
                continue
            if t.startswith("/*"):
                block = "*/" not in t
                continue
            n += 1
    return n

def count(folders):
    return sum(code_lines(os.path.join(d, f))
               for top in folders for d, _, fs in os.walk(top)
               for f in fs if f.endswith((".cpp", ".h")))

code, tests = count(["src", "tools"]), count(["tests"])
ratio = tests / max(code, 1)
print("tests: %d lines, code: %d lines, ratio %.2f" % (tests, code, ratio))
limit = sys.argv[1]
if limit and ratio > float(limit):
    print("the tests are above %s of the code" % limit, file=sys.stderr)
    sys.exit(1)
PY
