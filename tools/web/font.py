#!/usr/bin/python3
"""The pages' font: a subset of Liberation Sans Regular with the letters the programs and their
dialogs show, renamed, as WOFF2 inside a CSS @font-face rule, and the font's licence beside it.

The SIL Open Font License reserves the name "Liberation" for the unmodified font, so the subset
is called "Forms Sans" in every name record that carries the family name.

    font.py SOURCE.ttf DEBIAN_COPYRIGHT OUT.css OUT_LICENCE.txt
"""
import base64
import io
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

FAMILY = "Forms Sans"
# Basic Latin, no-break space, Cyrillic А-я with Ё and ё, and the punctuation and symbols the
# captions, messages and dialogs use or that typed Russian text commonly holds: « » – — ‘ ’ “ ” „ … № −
# and the replacement character for a broken byte sequence.
CODE_POINTS = (list(range(0x20, 0x7F)) + [0xA0, 0xAB, 0xBB, 0x401, 0x451] + list(range(0x410, 0x450))
               + [0x2013, 0x2014, 0x2018, 0x2019, 0x201C, 0x201D, 0x201E, 0x2026, 0x2116, 0x2212, 0xFFFD])
# Name records that carry the family name: family, unique id, full name, PostScript name,
# typographic family, WWS family.
RENAMED = {1, 3, 4, 6, 16, 21}


def subset_font(source):
    font = TTFont(source)
    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False
    options.desubroutinize = True
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.drop_tables += ["FFTM"]  # a font editor's timestamp
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=CODE_POINTS)
    subsetter.subset(font)
    for record in font["name"].names:
        if record.nameID in RENAMED:
            text = record.toUnicode()
            text = text.replace("Liberation Sans", FAMILY).replace("LiberationSans", FAMILY.replace(" ", ""))
            record.string = text
    leftover = [r.nameID for r in font["name"].names
                if r.nameID in RENAMED and "Liberation" in r.toUnicode()]
    if leftover:
        sys.exit(f"font.py: name records {leftover} still carry the reserved name")
    out = io.BytesIO()
    font.flavor = "woff2"
    font.save(out)
    return out.getvalue()


def licence(copyright_file):
    """The font's copyright and licence as Debian's copyright file gives them (the "Files: *" stanza)."""
    lines = open(copyright_file, encoding="utf-8").read().splitlines()
    start = lines.index("Files: *")
    end = next(i for i in range(start + 1, len(lines)) if lines[i].startswith("Files:"))
    out = [f'The font "{FAMILY}" in these pages is a subset of Liberation Sans Regular, renamed as the',
           "licence below asks of a modified version.", ""]
    for line in lines[start + 1:end]:
        if line.startswith(" "):
            line = line[1:]
        out.append("" if line == "." else line)
    return "\n".join(out).rstrip() + "\n"


def main(source, copyright_file, css_path, licence_path):
    woff2 = subset_font(source)
    css = ('@font-face{font-family:"%s";font-style:normal;font-weight:400;'
           'src:url(data:font/woff2;base64,%s) format("woff2")}\n'
           % (FAMILY, base64.b64encode(woff2).decode("ascii")))
    with open(css_path, "w", encoding="utf-8") as file:
        file.write(css)
    with open(licence_path, "w", encoding="utf-8") as file:
        file.write(licence(copyright_file))


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
