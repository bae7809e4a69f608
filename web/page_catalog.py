#!/usr/bin/env python3
"""Writes the page's form of a translation catalog (layout/catalog.hpp describes it) from the
compiled .mo: each text keyed by a hash of its Russian source string, which the page's module
carries already, and the object words whole. Fails if two source strings of the template, or a
source string and a number the game may write, share a key: the page would show one for the
other.

    page_catalog.py LANGUAGE.mo TEMPLATE.pot OUTPUT
"""

import re
import struct
import sys

MAGIC = "tarvilon catalog 1\n"
OBJECT_WORD = "object word"
CONTEXT_END = "\x04"
NUMBERS = range(-100000, 100001)  # health, levels, the deal, the money: far past any run's


def key(source):
    """32-bit FNV-1a of the UTF-8 bytes, as layout::catalogKey() computes it."""
    h = 2166136261
    for b in source.encode("utf-8"):
        h = ((h ^ b) * 16777619) & 0xFFFFFFFF
    return h


def read_mo(path):
    with open(path, "rb") as f:
        data = f.read()
    magic, _, count, sources, translations = struct.unpack_from("<5I", data)
    if magic != 0x950412DE:
        sys.exit(f"{path}: not a little-endian .mo file")

    def string(table, n):
        length, offset = struct.unpack_from("<2I", data, table + 8 * n)
        return data[offset:offset + length].decode("utf-8")

    return {string(sources, n): string(translations, n).split("\0")[0]
            for n in range(count) if string(sources, n)}


def pot_sources(path):
    """Every source string of the template, with its context as the .mo keys it."""
    escapes = {"n": "\n", "r": "\r", "t": "\t", '"': '"', "\\": "\\"}
    quoted = lambda s: re.sub(r"\\(.)", lambda m: escapes[m.group(1)], s)  # noqa: E731
    sources, field, parts = [], None, {}
    with open(path, encoding="utf-8") as f:
        for line in f.read().splitlines() + [""]:
            m = re.match(r'(msgctxt|msgid|msgstr) "(.*)"$', line)
            if m:
                field = m.group(1)
                parts[field] = quoted(m.group(2))
            elif line.startswith('"') and field:
                parts[field] += quoted(line[1:-1])
            elif not line.strip() and "msgid" in parts:
                context = parts.get("msgctxt")
                if parts["msgid"]:
                    sources.append(parts["msgid"] if context is None else context + CONTEXT_END + parts["msgid"])
                field, parts = None, {}
    return sources


def escaped(text):
    return text.replace("\\", "\\\\").replace("\n", "\\n").replace("\r", "\\r").replace("\t", "\\t")


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    mo, pot, output = sys.argv[1:]
    sources = pot_sources(pot)
    keys = {}
    for source in sources + [str(n) for n in NUMBERS]:
        if source.startswith(OBJECT_WORD + CONTEXT_END):
            continue  # kept whole
        other = keys.setdefault(key(source), source)
        if other != source:
            sys.exit(f"page_catalog.py: {source!r} and {other!r} share the key {key(source):08x}")
    lines = []
    for source, text in read_mo(mo).items():
        context, _, word = source.rpartition(CONTEXT_END)
        if context == OBJECT_WORD:
            lines.append(f"w{word}\t{escaped(text)}")
        else:
            lines.append(f"h{key(source):08x}\t{escaped(text)}")
    with open(output, "w", encoding="utf-8", newline="\n") as f:
        f.write(MAGIC + "".join(line + "\n" for line in sorted(lines)))


if __name__ == "__main__":
    main()
