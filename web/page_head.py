#!/usr/bin/env python3
"""The head fragment and the title of one program's page, from what the build knows of the program
(NAME.json, written by frame/tools/web_page_parts_main.cpp): the window icon inlined as the page's
icon, one <meta> line per field of the version record, the summary as the page's description,
and the window's style sheet.

    page_head.py PROGRAM.json ICON_FOLDER STYLE.css OUT_HEAD.html OUT_TITLE.txt
"""
import base64
import html
import json
import pathlib
import sys


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
    lines.append("<style>\n" + style.read_text(encoding="utf-8").strip() + "\n</style>")
    out_head.write_text("\n".join(lines) + "\n", encoding="utf-8")
    out_title.write_text(description["caption"], encoding="utf-8")


if __name__ == "__main__":
    main()
