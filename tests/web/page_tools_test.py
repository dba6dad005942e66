#!/usr/bin/python3
"""The browser build's own tools: the page's constants read from C++ definitions, the check of
the page's calls into the program, and the link that stops on a stale name in the asyncify list."""
import json
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


class PageExports(unittest.TestCase):
    PAGE_CPP = """
        EM_JS(void, pageShow, (), { formsPage.show(); });
        extern "C" {
        EMSCRIPTEN_KEEPALIVE void forms_web_click(int control) { deliver(control); }
        // EMSCRIPTEN_KEEPALIVE int forms_web_commented_out(int key);
        EMSCRIPTEN_KEEPALIVE int forms_web_next_tab_stop(int from, int forward) { return next(from, forward); }
        }  // extern "C"
    """
    EXPORTS = """
        var formsProgram = {};
        for (const [name, mayWait] of Object.entries({
          forms_web_click: true,
          forms_web_next_tab_stop: false,
        })) {
          formsProgram[name] = mayWait ? (...args) => ccall(name, "number", [], args, {async: true})
                                       : (...args) => Module["_" + name](...args);
        }
    """
    SCRIPT = """
        // Through the object only; _forms_web_click( in a comment is no call.
        button.addEventListener("click", () => formsProgram.click(index));
        const to = formsProgram.nextTabStop(from, 1);
    """

    def check(self, page_cpp=PAGE_CPP, exports=EXPORTS, script=SCRIPT, removed=("forms_web_next_tab_stop",)):
        with tempfile.TemporaryDirectory() as folder:
            files = {"page.cpp": page_cpp, "remove.json": json.dumps(list(removed)), "exports.js": exports,
                     "keys.js": script}
            for name, text in files.items():
                pathlib.Path(folder, name).write_text(text)
            stamp = pathlib.Path(folder, "checked")
            done = run("page_exports.py", *(str(pathlib.Path(folder, name)) for name in files), "--stamp", str(stamp))
            return done, stamp.exists()

    def test_agreeing_lists_pass(self):
        done, stamped = self.check()
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertTrue(stamped)

    def test_each_disagreement_stops_the_build_naming_it(self):
        rows = [
            ("an export missing from the object",
             {"page_cpp": self.PAGE_CPP.replace("}  // extern", "EMSCRIPTEN_KEEPALIVE void forms_web_added() {}\n}  // extern")},
             "forms_web_added"),
            ("the object names one page.cpp lacks",
             {"exports": self.EXPORTS.replace("forms_web_click: true,", "forms_web_click: true,\nforms_web_gone: false,")},
             "forms_web_gone"),
            ("an export listed twice",
             {"exports": self.EXPORTS.replace("forms_web_click: true,", "forms_web_click: true,\nforms_web_click: true,")},
             "forms_web_click is listed more than once"),
            ("an export that may wait, left out of asyncify",
             {"removed": ("forms_web_next_tab_stop", "forms_web_cl*")}, "leaves forms_web_click out of asyncify"),
            ("a bare call outside the object", {"script": self.SCRIPT + "_forms_web_click(-1);\n"},
             "keys.js:5: calls the program by a bare name (_forms_web_click)"),
            ("ccall outside the object", {"script": self.SCRIPT + "ccall('forms_web_click', null, [], []);\n"},
             "keys.js:5: calls the program by a bare name (ccall)"),
            ("a bare call in page.cpp's own JavaScript",
             {"page_cpp": "EM_JS(void, f, (), { _forms_web_click(0); });\n" + self.PAGE_CPP}, "page.cpp:1:"),
            ("a method the object lacks", {"script": self.SCRIPT + "formsProgram.clicked(0);\n"},
             "keys.js:5: formsProgram has no method clicked"),
        ]
        for name, change, expected in rows:
            with self.subTest(name):
                done, stamped = self.check(**change)
                self.assertEqual(done.returncode, 1)
                self.assertIn(expected, done.stderr)
                self.assertFalse(stamped)


class PageHead(unittest.TestCase):
    def test_style_and_script_lose_comments_and_blanks_but_not_meaning(self):
        sys.path.insert(0, str(TOOLS))
        import page_head
        css = """/* a comment,
                    over lines */
            .a > :not(.b) , .c { width: calc(100vw - 16px);
              margin: 0 1px; }
        """
        self.assertEqual(page_head.minified_css(css), ".a > :not(.b),.c{width:calc(100vw - 16px);margin:0 1px;}")
        script = "// a comment\nif (a) {\n  // another\n  b(\"//kept\");\n}\n"
        self.assertEqual(page_head.minified_script(script), 'if (a) {\nb("//kept");\n}')


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
