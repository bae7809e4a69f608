"""The layout tables' JSON as the page gets it, read by a real parser, in Russian and in each
catalog's language: every object has exactly the fields the page's types in web/tables.js
name, every enum value is a name layout/names.hpp gives, every press names its verb, every row
points into its window, every window of the game is there, and a translated table reads no
Russian.

Usage: layout_json_test.py TOOL SOURCE_DIR [LANGUAGE...]"""

import json
import os
import re
import subprocess
import sys

tool, source, languages = sys.argv[1], sys.argv[2], sys.argv[3:]


def read(path):
    with open(os.path.join(source, path), encoding="utf-8") as f:
        return f.read()


# The page's types: each typedef's fields as {name: (type, optional)}, or an alias's type.
TYPES = {}
for kind, name, body in re.findall(r"@typedef \{(.*?)\} (\w+)(.*?)\*/", read("web/tables.js"),
                                   re.S):
    fields = re.findall(r"@property \{(.*?)\} (\[?)(\w+)\]?", body)
    TYPES[name] = {f: (t, bool(o)) for t, o, f in fields} if kind.lower() == "object" else kind

# The names each enum goes by: the strings its name() returns in names.hpp.
NAMES = r"constexpr std::string_view name\(([\w:]+) \w+\) \{(.*?)\n\}"
ENUMS = {kind: set(re.findall(r'return "(\w+)";', body))
         for kind, body in re.findall(NAMES, read("layout/names.hpp"), re.S)}
# The game's windows, as engine/world/windows.hpp lists them.
WINDOWS = re.search(r"enum class Window \{(.*?)\}", read("engine/world/windows.hpp"), re.S)
WINDOWS = re.findall(r"^\s+(\w+),", WINDOWS.group(1), re.M)


def check(value, kind, where):
    """Fails unless every object in the value has exactly the fields the page's type names."""
    kind = TYPES.get(kind, kind)
    if isinstance(kind, dict):
        missing = {f for f, (_, optional) in kind.items() if not optional} - value.keys()
        assert value.keys() <= kind.keys() and not missing, \
            f"{where}: {sorted(value.keys() - kind.keys())} not in web/tables.js, " \
            f"{sorted(missing)} missing"
        for field, v in value.items():
            check(v, kind[field][0], f"{where}.{field}")
    elif kind.endswith("[]"):
        for i, v in enumerate(value):
            check(v, kind[:-2], f"{where}[{i}]")
    elif m := re.fullmatch(r"Record<string, (\w+)>", kind):
        for k, v in value.items():
            check(v, m.group(1), f"{where}.{k}")


def check_tables(language):
    text = subprocess.run([tool, *language], check=True, capture_output=True).stdout.decode()
    tables = json.loads(text)  # strict: a raw control character in a string fails
    check(tables, "Tables", "tables")
    assert set(tables["fonts"]) == ENUMS["Font"], "fonts"
    assert [w["name"].lower() for w in tables["windows"]] == [w.lower() for w in WINDOWS]
    for w in tables["windows"]:
        controls = w["controls"]
        assert sorted(w["reading"]) == list(range(len(controls))), f"{w['name']}: reading"
        for c in controls:
            where = f"{w['name']}.{c['name']}"
            for field, kind in (("kind", "Kind"), ("font", "Font"), ("align", "Align")):
                assert c[field] in ENUMS[kind], f"{where}: {field} {c[field]}"
            assert c["shows"]["what"] in ENUMS["Shows::What"], f"{where}: shows"
            assert c["does"]["what"] in ENUMS["Does::What"], f"{where}: does"
            verbs = ENUMS["Verb"] if c["does"]["what"] == "Press" else {None}
            assert c["does"].get("verb") in verbs, f"{where}: verb"
            for field in ("panel", "labelledBy"):
                assert c[field] is None or 0 <= c[field] < len(controls), f"{where}: {field}"
            assert c["panel"] is None or controls[c["panel"]]["kind"] == "Panel", where
    if language:
        russian = re.findall(r"[А-Яа-яЁё][^\"]*", text)
        assert not russian, f"{language[0]}: untranslated {russian[:3]}"


for language in [[]] + [[lang] for lang in languages]:
    check_tables(language)
print("the tables' JSON holds, in Russian and in", ", ".join(languages) or "no other language")
