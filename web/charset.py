#!/usr/bin/env python3
"""Every character the game can draw in its own font: those in the string literals of the
given C++ sources, plus printable ASCII and the Russian alphabet for what the player types. The font is cut down to
these at build time. Usage: charset.py OUTPUT SOURCE..."""

import re
import sys

# A C++ string literal, escapes included; comments are dropped first so that an apostrophe or
# a quote in prose cannot start one.
LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
COMMENT = re.compile(r"//[^\n]*|/\*.*?\*/", re.S)


def main():
    output, sources = sys.argv[1], sys.argv[2:]
    chars = {chr(c) for c in range(0x20, 0x7F)}
    chars.update(chr(c) for c in range(ord("А"), ord("я") + 1))
    chars.update("Ёё")
    for path in sources:
        with open(path, encoding="utf-8") as f:
            code = COMMENT.sub("", f.read())
        for literal in LITERAL.findall(code):
            chars.update(ch for ch in literal if ch >= " ")
    with open(output, "w", encoding="utf-8") as f:
        f.write("".join(sorted(chars)))


if __name__ == "__main__":
    main()
