#!/usr/bin/env python3
"""The pages' index, dist/web/index.html: every program with a picture of each window, its
one-line summary and its version, each linking to its page. Self-contained like the pages: the
pictures are inlined, and nothing is fetched from disk; served, it makes the pages installable
as the pages do (tools/web/installable.js).

    index.py PARTS_FOLDER SCREENSHOTS_FOLDER OUT.html PROGRAM...
"""
import base64
import html
import json
import pathlib
import sys

HEAD = """<!doctype html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Forms programs</title>
<style>
body { margin: 0 auto; max-width: 960px; padding: 16px; font-family: sans-serif; }
ul { list-style: none; padding: 0; display: grid; grid-template-columns: repeat(auto-fill, minmax(280px, 1fr)); gap: 16px; }
li { border: 1px solid #ccc; border-radius: 6px; padding: 12px; }
img { display: block; max-width: 100%; height: auto; margin: 8px 0; }
.version { color: #555; font-size: 0.85em; }
</style>
</head>
<body>
<h1>Forms programs</h1>
<p>Each page is one program, working from disk without a network.</p>
<ul>
"""


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    parts, pictures, out = map(pathlib.Path, sys.argv[1:4])
    items = []
    for name in sys.argv[4:]:
        program = json.loads((parts / f"{name}.json").read_text(encoding="utf-8"))
        picture = pictures / f"{name}.png"
        image = ""
        if picture.exists():
            data = base64.b64encode(picture.read_bytes()).decode("ascii")
            image = f'<img src="data:image/png;base64,{data}" alt="The {html.escape(name)} window">'
        version = program["version"]
        items.append(f'<li><a href="{html.escape(name)}.html"><strong>{html.escape(name)}</strong>{image}</a>'
                     f'{html.escape(program["summary"])}'
                     f'<div class="version">Version {html.escape(version.get("FileVersion", ""))}, '
                     f'{html.escape(version.get("CompanyName", ""))}</div></li>')
    installable = pathlib.Path(__file__).with_name("installable.js").read_text(encoding="utf-8").strip()
    head = HEAD.replace("</style>\n", "</style>\n<script>\n" + installable + "\n</script>\n", 1)
    out.write_text(head + "\n".join(items) + "\n</ul>\n</body>\n</html>\n", encoding="utf-8")


if __name__ == "__main__":
    main()
