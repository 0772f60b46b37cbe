#!/usr/bin/env bash
# Prints the lines of the tests (tests/, web/tests/) and of the code (src/,
# tools/, web/ but its tests and npm packages) that are neither blank nor only a
# comment: C++, JavaScript, CSS and HTML. With --max R it fails when the ratio
# is above R, so the suite stays about a quarter to a third of the code as the
# code grows.
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
            if not t or t.startswith("//") or (t.startswith("<!--") and t.endswith("-->")):
                continue
            if t.startswith("/*"):
                block = "*/" not in t
                continue
            n += 1
    return n

EXTENSIONS = (".cpp", ".h", ".js", ".mjs", ".css", ".html")
SKIPPED = {os.path.join("web", "tests"), os.path.join("web", "node_modules")}

def count(folders, skipped=()):
    total = 0
    for top in folders:
        for d, subs, fs in os.walk(top):
            subs[:] = [s for s in subs if os.path.join(d, s) not in skipped]
            total += sum(code_lines(os.path.join(d, f)) for f in fs if f.endswith(EXTENSIONS))
    return total

code = count(["src", "tools", "web"], SKIPPED)
tests = count(["tests", os.path.join("web", "tests")])
ratio = tests / max(code, 1)
print("tests: %d lines, code: %d lines, ratio %.2f" % (tests, code, ratio))
limit = sys.argv[1]
if limit and ratio > float(limit):
    print("the tests are above %s of the code" % limit, file=sys.stderr)
    sys.exit(1)
PY
