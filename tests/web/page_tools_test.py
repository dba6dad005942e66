#!/usr/bin/python3
"""The browser build's own tools: the page's constants read from C++ definitions, and the link
that stops on a stale name in the asyncify list."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

TOOLS = pathlib.Path(__file__).resolve().parents[2] / "tools" / "web"


def run(tool, *arguments):
    return subprocess.run([sys.executable, str(TOOLS / tool), *arguments], capture_output=True, text=True)


class PageConstants(unittest.TestCase):
    HEADER = """
        enum class Plain { First, Second, Third };
        enum class Counted : int { Start = 4, Next, /* a comment, with a comma */ Hex = 0x10, After };
        // enum class Commented { Wrong };
        enum class Commented { Right };
        inline constexpr int Shift = 16;
        inline constexpr std::int16_t Limit = 262'144;
    """

    def constants(self, *names):
        with tempfile.TemporaryDirectory() as folder:
            header, out = pathlib.Path(folder, "h.h"), pathlib.Path(folder, "out.js")
            header.write_text(self.HEADER)
            done = run("page_constants.py", str(out), *(f"{name}={header}" for name in names))
            return done, (out.read_text() if out.exists() else "")

    def test_values_as_the_compiler_counts_them(self):
        rows = [
            ("implicit from zero", "Plain", "const Plain = Object.freeze({First: 0, Second: 1, Third: 2});"),
            ("explicit, then counting on", "Counted",
             "const Counted = Object.freeze({Start: 4, Next: 5, Hex: 16, After: 17});"),
            ("a commented-out definition is no definition", "Commented",
             "const Commented = Object.freeze({Right: 0});"),
            ("integer constant", "Shift", "const Shift = 16;"),
            ("digit separators", "Limit", "const Limit = 262144;"),
        ]
        for name, enum, expected in rows:
            with self.subTest(name):
                done, text = self.constants(enum)
                self.assertEqual(done.returncode, 0, done.stderr)
                self.assertIn(expected, text.splitlines())

    def test_a_renamed_definition_stops_the_build_naming_it(self):
        done, _ = self.constants("Plain", "Renamed")
        self.assertNotEqual(done.returncode, 0)
        self.assertIn("Renamed", done.stderr)


class AsyncifyCheckedLink(unittest.TestCase):
    def link(self, message):
        """A stand-in link that writes its output and says `message` on standard error."""
        folder = tempfile.TemporaryDirectory()
        self.addCleanup(folder.cleanup)
        out = pathlib.Path(folder.name, "page.html")
        script = f"import sys; open(sys.argv[2], 'w').close(); sys.stderr.write({message!r})"
        return run("asyncify_checked_link.py", sys.executable, "-c", script, "-o", str(out)), out

    def test_a_clean_link_passes(self):
        done, out = self.link("warning: something else\n")
        self.assertEqual(done.returncode, 0)
        self.assertIn("something else", done.stderr)
        self.assertTrue(out.exists())

    def test_a_stale_name_fails_the_link_naming_it(self):
        done, out = self.link("warning: Asyncify removelist contained a non-matching pattern: "
                              "forms::gone* (forms::gone*)\n")
        self.assertEqual(done.returncode, 1)
        self.assertIn("names forms::gone*, which matches no function", done.stderr)
        # Removed, so that the next build links again instead of taking it as done.
        self.assertFalse(out.exists())


if __name__ == "__main__":
    unittest.main()
