#!/usr/bin/env python3
# SPDX-License-Identifier: Apache-2.0
"""Turns the comments that document the API into Doxygen doc comments.

In the headers of the three libraries (platform/host/orvane, platform/
displaylist/orvane, src/orvane):
  - a block of // lines directly above a declaration at namespace, class or
    enumeration scope becomes a block of /// lines;
  - a // comment after a member or enumerator on the same line
    (`int x; // ...`, `A, // ...`) becomes ///<.
Comments inside function bodies, file headers above #pragma once or #include,
section notes above access specifiers, closing-brace notes and SPDX lines stay
as they are.

Safe to run any number of times and on headers it has never seen.

Usage: scripts/apply-doc-comments.py [--check] [REPO]
"""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from massedit import headers, line_scopes, mask, run  # noqa: E402

ROOTS = ["platform/host/orvane", "platform/displaylist/orvane", "src/orvane"]

PLAIN = re.compile(r"^(\s*)//(?![/!])(.*)$")
NOT_DOCUMENTED = re.compile(
    r"^\s*(#|}|//|public\s*:|protected\s*:|private\s*:|namespace\b|using\s+namespace\b|case\b|default\s*:|return\b)")
RULE = re.compile(r"^\s*//\s*[-=*#~]{3,}")


def documentable(scope):
    return all(s in ("ns", "class", "enum") for s in scope)


def convert(_path, text):
    lines = text.split("\n")
    masked_text = mask(text)
    scopes = line_scopes(text, masked_text)
    masked = masked_text.split("\n")
    out = list(lines)
    i = 0
    while i < len(lines):
        if not lines[i].lstrip().startswith("//"):
            # Trailing comment of a member or enumerator.
            scope = scopes[i] if i < len(scopes) else ()
            code = masked[i]
            pos = len(code.rstrip())
            m = re.match(r"^(.*?[;,])(\s*)//(?![/!])(\s?)(.*)$", lines[i])
            if (m and scope and scope[-1] in ("class", "enum") and documentable(scope)
                    and "SPDX" not in lines[i] and len(m.group(1)) == pos
                    and m.group(1).strip() and not m.group(1).strip().startswith("}")):
                out[i] = m.group(1) + m.group(2) + "///< " + m.group(4)
            i += 1
            continue
        # A block of full-line comments.
        j = i
        while j < len(lines) and lines[j].lstrip().startswith("//"):
            j += 1
        following = lines[j] if j < len(lines) else ""
        scope = scopes[i] if i < len(scopes) else ()
        if (following.strip() and not NOT_DOCUMENTED.match(following) and documentable(scope)
                and not any("SPDX-License-Identifier" in lines[k] or RULE.match(lines[k]) for k in range(i, j))):
            for k in range(i, j):
                m = PLAIN.match(lines[k])
                if m:
                    out[k] = m.group(1) + "///" + m.group(2)
        i = j
    return "\n".join(out)


def main(argv):
    return run(argv, lambda repo: headers(repo, ROOTS), convert)[0]


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
