#!/usr/bin/env python3
"""Fills the pages' shell template (tools/web/shell.html) for one page; emscripten then puts the
program into it at {{{ SCRIPT }}} (--shell-file).

    page.py TEMPLATE FONT_CSS OUT TITLE [--title-file FILE] [--head FILE] [--body FILE]

The title (or the text of the title file, which wins) is escaped for HTML; the head and body
fragments are taken as they are.
"""
import argparse
import html


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("template")
    parser.add_argument("font_css")
    parser.add_argument("out")
    parser.add_argument("title")
    parser.add_argument("--title-file", default=None)
    parser.add_argument("--head", default=None)
    parser.add_argument("--body", default=None)
    args = parser.parse_args()

    def read(path):
        if path is None:
            return ""
        with open(path, encoding="utf-8") as file:
            return file.read().strip()

    text = read(args.template)
    title = read(args.title_file) if args.title_file else args.title
    # One pass over the placeholders, so that nothing inserted is read as a placeholder again.
    values = {"@TITLE@": html.escape(title), "@HEAD@": read(args.head),
              "@FONT_CSS@": read(args.font_css), "@BODY@": read(args.body)}
    for placeholder in values:
        if text.count(placeholder) != 1:
            raise SystemExit(f"page.py: {args.template} must hold {placeholder} once")
    parts = [text]
    for placeholder, value in values.items():
        parts = [piece for part in parts for piece in _split(part, placeholder, value)]
    with open(args.out, "w", encoding="utf-8") as file:
        file.write("".join(parts) + "\n")


def _split(part, placeholder, value):
    if isinstance(part, _Inserted):
        return [part]
    before, found, after = part.partition(placeholder)
    return [before, _Inserted(value), after] if found else [part]


class _Inserted(str):
    """Text already inserted: never searched for placeholders."""


if __name__ == "__main__":
    main()
