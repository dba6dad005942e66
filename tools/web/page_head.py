#!/usr/bin/env python3
"""The head fragment and the title of one program's page, from what the build knows of the program
(NAME.json, written by tools/web/web_page_parts_main.cpp): the window icon inlined as the page's
icon, one <meta> line per field of the version record, the summary as the page's description,
the window's style sheet and the script that makes the served pages installable
(tools/web/installable.js), both without their comments and indentation, which every page would
otherwise carry. The title is the window's caption and the program's name, so that tabs
can be told apart where several windows share a caption.

    page_head.py PROGRAM.json ICON_FOLDER STYLE.css OUT_HEAD.html OUT_TITLE.txt
"""
import base64
import html
import json
import pathlib
import re
import sys


def minified_css(text):
    """The style sheet without comments, and without the blanks that mean nothing: around braces,
    semicolons and commas, and after colons. A blank before a colon stays (`a :not(b)` is
    not `a:not(b)`), and so does one inside a value (`calc(100vw - 16px)`)."""
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.DOTALL)
    text = re.sub(r"\s+", " ", text)
    text = re.sub(r"\s*([{};,])\s*", r"\1", text)
    return text.replace(": ", ":").strip()


def minified_script(text):
    """The script without its comment lines and indentation; every other line as it is."""
    lines = (line.strip() for line in text.splitlines())
    return "\n".join(line for line in lines if line and not line.startswith("//"))


def main():
    if len(sys.argv) != 6:
        sys.exit(__doc__)
    program, icons, style, out_head, out_title = map(pathlib.Path, sys.argv[1:])
    description = json.loads(program.read_text(encoding="utf-8"))
    lines = []
    for size in (16, 32):
        data = base64.b64encode((icons / f"window-{size}.png").read_bytes()).decode("ascii")
        lines.append(f'<link rel="icon" type="image/png" sizes="{size}x{size}" href="data:image/png;base64,{data}">')
    lines.append(f'<meta name="description" content="{html.escape(description["summary"])}">')
    for field, value in description["version"].items():
        lines.append(f'<meta name="forms-version-{field}" content="{html.escape(value)}">')
    lines.append("<style>\n" + minified_css(style.read_text(encoding="utf-8")) + "\n</style>")
    installable = minified_script(pathlib.Path(__file__).with_name("installable.js").read_text(encoding="utf-8"))
    lines.append("<script>\n" + installable + "\n</script>")
    out_head.write_text("\n".join(lines) + "\n", encoding="utf-8")
    caption, name = description["caption"], description["name"]
    out_title.write_text(caption if caption == name else f"{caption} \u2014 {name}", encoding="utf-8")


if __name__ == "__main__":
    main()
