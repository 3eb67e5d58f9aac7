#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Counts the non-blank, non-comment lines of the C++ sources and headers (.cpp, .h) under src/
# and tests/ and prints their ratio; CMake files, data and golden texts are not counted.
# Usage: bash scripts/count-lines.sh
set -euo pipefail
cd "$(dirname "$0")/.."

python3 - <<'EOF'
import pathlib
import re

EXTS = {".cpp", ".h", ".hpp", ".cc", ".cxx", ".hh"}


def code_lines(text):
    """Lines that keep something other than blanks once // and /* */ comments are removed.
    String and character literals (raw strings included) are skipped, so a "//" inside one
    is no comment."""
    count = 0
    in_block = False
    raw_end = None  # closing sequence of a raw string that spans lines
    for line in text.splitlines():
        kept = []
        i, n = 0, len(line)
        while i < n:
            if raw_end is not None:
                j = line.find(raw_end, i)
                if j < 0:
                    kept.append(line[i:])
                    i = n
                else:
                    kept.append(line[i:j + len(raw_end)])
                    i = j + len(raw_end)
                    raw_end = None
                continue
            if in_block:
                j = line.find("*/", i)
                if j < 0:
                    i = n
                else:
                    i = j + 2
                    in_block = False
                continue
            c = line[i]
            if line.startswith("//", i):
                break
            if line.startswith("/*", i):
                in_block = True
                i += 2
                continue
            m = re.match(r'(?:u8|u|U|L)?R"([^()\\ ]{0,16})\(', line[i:])
            if m and (i == 0 or not (line[i - 1].isalnum() or line[i - 1] == "_")):
                raw_end = ")" + m.group(1) + '"'
                kept.append(m.group(0))
                i += len(m.group(0))
                continue
            if c in "\"'":
                # A digit separator (1'000) is no character literal.
                if c == "'" and i > 0 and line[i - 1].isalnum() and i + 1 < n and line[i + 1].isalnum():
                    kept.append(c)
                    i += 1
                    continue
                j = i + 1
                while j < n and line[j] != c:
                    j += 2 if line[j] == "\\" else 1
                kept.append(line[i:j + 1])
                i = j + 1
                continue
            kept.append(c)
            i += 1
        if "".join(kept).strip():
            count += 1
    return count


def tree(root):
    total, files = 0, 0
    for p in sorted(pathlib.Path(root).rglob("*")):
        if p.is_file() and p.suffix in EXTS:
            total += code_lines(p.read_text(encoding="utf-8", errors="replace"))
            files += 1
    return total, files


src, src_files = tree("src")
tests, tests_files = tree("tests")
print("Non-blank, non-comment lines of C++ sources and headers (.cpp/.h; no CMake, no data):")
print(f"  src/    {src:6d} lines in {src_files} files")
print(f"  tests/  {tests:6d} lines in {tests_files} files")
if src:
    print(f"  tests/src = {100.0 * tests / src:.1f} %")
EOF
