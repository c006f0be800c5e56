#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Puts the licence identifier on the first line of every source file.

C and C++ sources and headers (also *.h.in) get
    // SPDX-License-Identifier: Apache-2.0
CMake files, Python and shell scripts get the same with '#', after a #! line.
Files that already name an SPDX licence in their first lines are left alone,
so the script is safe to run any number of times and on files it has never
seen.

Usage: scripts/add-spdx.py [--check] [REPO]
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from massedit import run  # noqa: E402

LICENSE = "SPDX-License-Identifier: Apache-2.0"
FOLDERS = ["platform", "src", "tools", "tests", "bench", "examples", "cmake", "scripts", "docs"]
TOP_FILES = ["CMakeLists.txt"]
SKIP_DIRS = {"build", ".git", "node_modules", "__pycache__"}
SLASH = (".h", ".hpp", ".cpp", ".cc", ".c", ".h.in")
HASH = (".cmake", ".cmake.in", ".py", ".sh")


def style(name):
    if name.endswith(SLASH):
        return "// "
    if name.endswith(HASH) or name == "CMakeLists.txt":
        return "# "
    return None


def add(text, prefix):
    head = text.split("\n", 3)[:3]
    if any("SPDX-License-Identifier" in line for line in head):
        return text
    line = prefix + LICENSE + "\n"
    if text.startswith("#!"):
        end = text.find("\n") + 1
        return text[:end] + line + text[end:]
    return line + text


def files(repo):
    for name in TOP_FILES:
        yield os.path.join(repo, name)
    for folder in FOLDERS:
        for dirpath, dirs, names in os.walk(os.path.join(repo, folder)):
            dirs[:] = sorted(d for d in dirs if d not in SKIP_DIRS and not d.startswith("build"))
            for name in sorted(names):
                if style(name):
                    yield os.path.join(dirpath, name)


def licensed(path, text):
    return add(text, style(os.path.basename(path)))


def main(argv):
    return run(argv, files, licensed)[0]


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
