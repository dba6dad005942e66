#!/usr/bin/env python3
"""Writes the numbers the program and its page exchange as JavaScript constants, read from their
C++ definitions, so that the page's script (frame/web/page/) names them instead of repeating
their values.

    page_constants.py OUT NAME=HEADER...

NAME is an `enum class` of HEADER (given as a frozen object of its enumerators, counted as C++
counts them) or an integer `constexpr` of it (digit separators allowed, as C++ writes them). A
name that is not found, or that is not written in the plain form read here, stops the build
with a message naming it.
"""
import re
import sys


def without_comments(source):
    return re.sub(r"//[^\n]*|/\*.*?\*/", "", source, flags=re.DOTALL)


def integer(text, where):
    try:
        return int(text.rstrip("uUlL").replace("'", ""), 0)
    except ValueError:
        sys.exit(f"{where}: {text!r} is not a plain integer")


def enum_values(body, where):
    values = {}
    next_value = 0
    for enumerator in filter(None, (part.strip() for part in body.split(","))):
        match = re.fullmatch(r"([A-Za-z_]\w*)(?:\s*=\s*(\S+))?", enumerator)
        if not match:
            sys.exit(f"{where}: cannot read the enumerator {enumerator!r}")
        if match.group(2) is not None:
            next_value = integer(match.group(2), where)
        values[match.group(1)] = next_value
        next_value += 1
    return values


def constant(name, header):
    source = without_comments(open(header, encoding="utf-8").read())
    where = f"{header}: {name}"
    enum = re.search(rf"\benum\s+class\s+{name}\s*(?::\s*[\w:]+\s*)?\{{([^}}]*)\}}", source)
    if enum:
        members = ", ".join(f"{key}: {value}" for key, value in enum_values(enum.group(1), where).items())
        return f"const {name} = Object.freeze({{{members}}});"
    value = re.search(rf"\bconstexpr\s+[\w:]+\s+{name}\s*=\s*([^;]+);", source)
    if value:
        return f"const {name} = {integer(value.group(1).strip(), where)};"
    sys.exit(f"{where}: no enum class or integer constexpr of this name (renamed? update its line in the build)")


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    lines = ["// Made by the build (tools/web/page_constants.py) from the C++ definitions; do not edit."]
    for argument in sys.argv[2:]:
        name, _, header = argument.partition("=")
        lines.append(constant(name, header))
    with open(sys.argv[1], "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
