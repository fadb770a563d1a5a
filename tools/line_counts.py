#!/usr/bin/env python3
"""Counts non-blank, non-comment lines of code and of tests, and their ratio.

Code: host/, MoxPexViewers/, apps/ and the page's own scripts in resources/.
Tests: tests/ (unit, integration, browser and fuzz targets).
Benchmarks and tools are counted apart; they are neither.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE = re.compile(r"\.(cpp|cc|h|hpp|js|mjs|css|html|py)$")


def count_file(path):
    n = 0
    in_block = False
    hash_comments = path.endswith(".py")
    with open(path, encoding="utf-8", errors="replace") as f:
        for raw in f:
            line = raw.strip()
            if in_block:
                if "*/" in line:
                    in_block = False
                    line = line.split("*/", 1)[1].strip()
                else:
                    continue
            if not line:
                continue
            if line.startswith("//") or (hash_comments and line.startswith("#")):
                continue
            if line.startswith("/*"):
                if "*/" not in line:
                    in_block = True
                continue
            if line.startswith("<!--"):
                continue
            n += 1
    return n


def count_tree(*folders):
    total = 0
    for folder in folders:
        top = os.path.join(ROOT, folder)
        for dirpath, dirnames, filenames in os.walk(top):
            dirnames[:] = [d for d in dirnames if d not in ("node_modules",)]
            for name in filenames:
                if SOURCE.search(name):
                    total += count_file(os.path.join(dirpath, name))
    return total


def main():
    code = count_tree("host", "MoxPexViewers", "apps", "resources")
    tests = count_tree("tests")
    bench = count_tree("bench")
    print(f"code  {code}")
    print(f"tests {tests}")
    print(f"bench {bench}")
    print(f"tests/code {100.0 * tests / code:.1f}%")
    return 0


if __name__ == "__main__":
    sys.exit(main())
