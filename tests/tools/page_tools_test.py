#!/usr/bin/python3
"""The browser build's own tools: the link that stops on a stale name in the asyncify list."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

TOOLS = pathlib.Path(__file__).resolve().parents[2] / "tools"


def run(tool, *arguments):
    return subprocess.run([sys.executable, str(TOOLS / tool), *arguments], capture_output=True, text=True)


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
