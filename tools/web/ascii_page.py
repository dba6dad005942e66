#!/usr/bin/env python3
"""Rewrites a page so that every character in it is ASCII, each other character written as an
escape that means the same where it stands: `\\uXXXX` in a script, `\\XXXXXX` in a style sheet,
`&#xXXXX;` elsewhere (text, attributes, the title).

A page of ASCII only is read and parsed as one-byte text from end to end; a single Cyrillic
letter anywhere makes the browser widen the whole page, its WebAssembly data included, to two
bytes a character, and that took longer than the rest of the parsing.

    ascii_page.py PAGE.html
"""
import re
import sys

RAW = re.compile(r"(<(script|style)\b[^>]*>)(.*?)(</\2\s*>)", re.S | re.I)
OTHER = re.compile(r"[^\x00-\x7f]")
# A character after an odd number of backslashes: escaped already, so its escape would mean
# something else.
ESCAPED_OTHER = re.compile(r"(?<!\\)(?:\\\\)*\\[^\x00-\x7f]")


def script_escape(text):
    def escape(match):
        units = match.group().encode("utf-16-be")
        return "".join(f"\\u{units[i]:02x}{units[i + 1]:02x}" for i in range(0, len(units), 2))
    return _escape(text, escape)


def style_escape(text):
    return _escape(text, lambda match: f"\\{ord(match.group()):06x}")


def html_escape(text):
    return OTHER.sub(lambda match: f"&#x{ord(match.group()):x};", text)


def _escape(text, escape):
    escaped = ESCAPED_OTHER.search(text)
    if escaped:
        raise SystemExit(f"ascii_page.py: an escaped {escaped.group()[-1]!r} cannot be rewritten")
    return OTHER.sub(escape, text)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    path = sys.argv[1]
    with open(path, encoding="utf-8") as file:
        page = file.read()
    parts = []
    done = 0
    for match in RAW.finditer(page):
        parts.append(html_escape(page[done:match.start()]))
        body = script_escape(match.group(3)) if match.group(2).lower() == "script" else style_escape(match.group(3))
        parts.append(match.group(1) + body + match.group(4))
        done = match.end()
    parts.append(html_escape(page[done:]))
    page = "".join(parts)
    page.encode("ascii")  # anything left over stops the build
    with open(path, "w", encoding="ascii") as file:
        file.write(page)


if __name__ == "__main__":
    main()
