# SPDX-License-Identifier: Apache-2.0
"""Shared by the mass-edit scripts (export macros, doc comments, licence
lines): just enough C++ scanning (comments and literals blanked, the scope
each statement and line lies in), and the loop that rewrites files."""
import os
import re
import sys


def mask(text):
    """Same length as text; comments, string and character literals blanked,
    newlines kept, so positions in one are positions in the other."""
    out = list(text)
    i, n = 0, len(text)

    def blank(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            blank(i, j)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            blank(i, j)
            i = j
        elif c == "R" and text.startswith('R"', i) and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            m = re.match(r'R"([^(\s]*)\(', text[i:])
            if not m:
                i += 1
                continue
            end = text.find(")" + m.group(1) + '"', i)
            j = n if end < 0 else end + len(m.group(1)) + 2
            blank(i + 1, j)
            i = j
        elif c in "\"'":
            if c == "'" and i > 0 and text[i - 1].isalnum():  # digit separator 1'000
                i += 1
                continue
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            blank(i + 1, min(j, n))
            i = j + 1
        elif c == "#" and (i == 0 or text[i - 1] == "\n" or text[: i].rsplit("\n", 1)[-1].strip() == ""):
            # Preprocessor line, with continuations.
            j = i
            while True:
                e = text.find("\n", j)
                if e < 0:
                    e = n
                    break
                if text[e - 1] == "\\":
                    j = e + 1
                    continue
                break
            blank(i, e)
            i = e
        else:
            i += 1
    return "".join(out)


def scope_kind(flat):
    """The kind of scope a brace opens, from the statement before it (spaces
    collapsed): "anon", "ns", "enum", "class", "template" (a class template)
    or "other" (function bodies, initialisers)."""
    if re.match(r"^(inline\s+)?namespace\s*$", flat):
        return "anon"
    if re.match(r"^(inline\s+)?namespace\b", flat) or re.match(r'^extern\s*"C', flat):
        return "ns"
    if re.match(r"^enum\b", flat):
        return "enum"
    if re.match(r"^template\b", flat) and re.search(r">\s*(class|struct|union)\b", flat):
        return "template"
    if re.match(r"^(\[\[[^\]]*\]\]\s*)*(class|struct|union)\b", flat):
        return "class"
    return "other"


def statements(text, masked=None):
    """Walks the braces and semicolons of text. Yields (terminator, start, end,
    flat, stack) for each: the character ("{", "}" or ";"), where the statement
    before it starts (first code character) and ends, its code with spaces
    collapsed, and the scope stack it lies in (scope_kind values, outermost
    first; a copy)."""
    masked = mask(text) if masked is None else masked
    stack = []
    start = 0
    for i, c in enumerate(masked):
        if c == ":" and re.match(r"^\s*(public|protected|private)\s*$", masked[start:i]):
            start = i + 1  # an access specifier belongs to no declaration
            continue
        if c not in "{};":
            continue
        s0 = start
        while s0 < i and masked[s0].isspace():
            s0 += 1
        flat = " ".join(masked[s0:i].split())
        yield c, s0, i, flat, list(stack)
        if c == "{":
            stack.append(scope_kind(flat))
        elif c == "}" and stack:
            stack.pop()
        start = i + 1


def line_scopes(text, masked=None):
    """For each line of text, the scope stack at its start (see statements)."""
    masked = mask(text) if masked is None else masked
    changes = []  # (position, stack after the brace there)
    for c, _, i, flat, before in statements(text, masked):
        if c == "{":
            changes.append((i, tuple(before + [scope_kind(flat)])))
        elif c == "}":
            changes.append((i, tuple(before[:-1])))
    scopes = []
    current = ()
    k = 0
    pos = 0
    for line in masked.split("\n"):
        while k < len(changes) and changes[k][0] < pos:
            current = changes[k][1]
            k += 1
        scopes.append(current)
        pos += len(line) + 1
    return scopes


def run(argv, paths, transform):
    """Applies transform (old text -> new text) to every file paths(repo)
    yields. argv: [--check] [REPO]; --check changes nothing and lists what
    would change (exit status 1 if anything would). Returns the exit status
    and the list of changed paths, relative to the repository."""
    check = "--check" in argv
    args = [a for a in argv if not a.startswith("--")]
    repo = os.path.abspath(args[0] if args else os.path.join(os.path.dirname(__file__), ".."))
    changed = []
    for path in paths(repo):
        if not os.path.isfile(path):
            continue
        with open(path, encoding="utf-8") as f:
            old = f.read()
        new = transform(path, old)
        if new != old:
            changed.append(os.path.relpath(path, repo))
            if not check:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(new)
    for p in changed:
        print(("would change " if check else "changed ") + p)
    print("%d file(s) %s" % (len(changed), "to change" if check else "changed"))
    return (1 if check and changed else 0), repo, changed


def headers(repo, roots):
    """Every .h below the given folders of the repository, in a stable order."""
    for root in roots:
        for dirpath, dirs, files in os.walk(os.path.join(repo, root)):
            dirs.sort()
            for name in sorted(files):
                if name.endswith(".h"):
                    yield os.path.join(dirpath, name)
