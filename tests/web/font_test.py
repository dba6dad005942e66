#!/usr/bin/python3
"""The font inside the pages: it has a glyph for every character of every string the programs
and the frame show, it is named as its own (not with the reserved name), and its licence is
beside it.

    font_test.py FONT.css OFL.txt SOURCE_ROOT
"""
import base64
import io
import pathlib
import re
import sys
import unittest

from fontTools.ttLib import TTFont

FONT_CSS = LICENCE = ROOT = None


def shown_characters(root):
    """Every character inside a string literal of the programs' and the frame's sources."""
    characters = set()
    for source in [*root.glob("programs/*/*.cpp"), *root.glob("frame/**/*.cpp")]:
        for literal in re.findall(r'"((?:[^"\\\n]|\\.)*)"', source.read_text(encoding="utf-8")):
            characters.update(c for c in literal if c >= " ")
    return characters


class PageFont(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        css = FONT_CSS.read_text(encoding="ascii")
        data = re.search(r"base64,([A-Za-z0-9+/=]+)", css).group(1)
        cls.font = TTFont(io.BytesIO(base64.b64decode(data)))

    def test_every_shown_character_has_a_glyph(self):
        cmap = self.font.getBestCmap()
        wanted = shown_characters(ROOT) | {chr(c) for c in range(0x20, 0x7F)} | set("АЯаяЁё«»…№−")
        self.assertGreater(len(wanted), 100)
        missing = sorted(c for c in wanted if ord(c) not in cmap)
        self.assertEqual(missing, [])

    def test_named_as_its_own_with_the_licence_beside_it(self):
        names = self.font["name"]
        self.assertEqual(names.getDebugName(1), "Forms Sans")
        for record in names.names:
            if record.nameID in (1, 3, 4, 6, 16, 21):
                self.assertNotIn("Liberation", record.toUnicode())
        self.assertIn('font-family:"Forms Sans"', FONT_CSS.read_text(encoding="ascii"))
        licence = LICENCE.read_text(encoding="utf-8")
        self.assertIn("SIL OPEN FONT LICENSE Version 1.1", licence)
        self.assertIn("Reserved Font Name Liberation", licence)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    ROOT = pathlib.Path(sys.argv.pop())
    LICENCE = pathlib.Path(sys.argv.pop())
    FONT_CSS = pathlib.Path(sys.argv.pop())
    unittest.main(verbosity=2)
