#!/usr/bin/python3
"""The programs' pages in another engine than Chromium's (Firefox ESR or WebKitGTK, headed on a
private X display), opened from disk and driven by real clicks and key presses: each program's
main job and one form's Tab order, the window's look (a colour the program sets stands out from
the default face, a button's caption is dark), the boxes closed with Enter and with Esc, a click
inside a box then its key, a held Enter, the paste limit. What the engines share; the rest is tested in
Chromium.

    engines_test.py ENGINE PAGES_FOLDER [TEST_NAME...]      (ENGINE: firefox, webkit or chromium)
"""
import os
import pathlib
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import open_browser, window_look  # noqa: E402

ENGINE = None
PAGES = None
ENTER = "\n"
ESCAPE = "\ue00c"
TAB = "\ue004"
LIMIT = 262144
NOTICE = "Текст не помещается: в поле не более 262144 знаков"


class Page:
    """One program's page, opened afresh in the engine's browser, and read through scripts, so
    that every engine is asked alike."""

    def __init__(self, browser, program):
        self.browser = browser
        self._dialogs = 0
        browser.open(PAGES / f"{program}.html")
        browser.wait_for(lambda: browser.script("return document.documentElement.dataset.formsReady"),
                         what=f"{program} ready")

    def click(self, selector, dx=None, dy=None):
        """Clicks the element's middle, or the point dx, dy from its top left corner."""
        x, y = self.browser.wait_for(lambda: self.browser.script(
            """const element = document.querySelector(arguments[0]);
               if (!element || !element.getClientRects().length) return null;
               element.scrollIntoView({block: 'nearest'});
               const box = element.getBoundingClientRect();
               return [box.left + (arguments[1] ?? box.width / 2), box.top + (arguments[2] ?? box.height / 2)];""",
            selector, dx, dy), what=f"{selector} shown")
        self.browser.click_at(x, y)

    def type(self, keys):
        self.browser.type(keys)

    def value(self, name):
        return self.browser.script("return document.getElementById(arguments[0]).value", name)

    def set_value(self, name, text):
        self.browser.script("document.getElementById(arguments[0]).value = arguments[1]", name, text)

    def wait_value(self, name, expected):
        self.browser.wait_for(lambda: self.value(name) == expected,
                              what=f"{name} = {expected!r} (it holds {self.value(name)[:40]!r})")

    def focused(self):
        """The focused control's name (an option button's is on the element around its input)."""
        return self.browser.script("return (document.activeElement.closest('[id]') || {}).id || ''")

    def wait_focus(self, name):
        self.browser.wait_for(lambda: self.focused() == name, what=f"focus on {name}")

    def dialog(self):
        """The open box as (caption, text, mark): the mark names this box alone."""
        self._dialogs += 1
        mark = str(self._dialogs)
        found = self.browser.wait_for(lambda: self.browser.script(
            """const box = document.querySelector('dialog[open]:not([data-test-mark])');
               if (!box) return null;
               box.dataset.testMark = arguments[0];
               return [box.querySelector('.forms-caption').textContent, box.querySelector('p').textContent];""",
            mark), what="a box open")
        return found[0], found[1], mark

    def wait_closed(self, mark):
        self.browser.wait_for(lambda: self.browser.script(
            "const box = document.querySelector(`dialog[data-test-mark='${arguments[0]}']`);"
            "return !box || !box.isConnected || !box.open", mark), what="the box closed")

    def answer(self, keys):
        """Types into the open box and closes it with the keys' last one: its caption and text."""
        caption, text, mark = self.dialog()
        self.type(keys)
        self.wait_closed(mark)
        return caption, text

    def no_dialog(self):
        return self.browser.script("return document.querySelectorAll('dialog').length") == 0

    def copy_to_clipboard(self, text):
        """Puts text on the browser's clipboard as a user would: select it somewhere, Ctrl+C."""
        self.browser.script(
            "const area = document.createElement('textarea'); area.id = 'clip';"
            "area.value = arguments[0]; document.body.append(area); area.focus(); area.select();", text)
        self.browser.press_with_control("c")
        self.browser.script("document.getElementById('clip').remove()")


class Pages(unittest.TestCase):
    """The pages in one engine; one browser for the group, each case on its page opened anew."""

    @classmethod
    def setUpClass(cls):
        cls.browser = open_browser(ENGINE)

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()

    def page(self, program):
        return Page(self.browser, program)

    def test_each_program_does_its_main_job(self):
        with self.subTest("sumdiff"):
            page = self.page("sumdiff")
            page.wait_focus("Text1")
            for name in ("Text2", "Text3", "Option1", "Command1", "Text1"):  # the Tab order, round
                page.type(TAB)
                page.wait_focus(name)
            page.type("1.5" + ENTER)  # KeyPress moves the focus on; nothing is typed
            page.wait_focus("Text2")
            page.type("2")
            page.click("#Option1")
            page.click("#Command1")
            page.wait_value("Text3", "3.5")
            self.assertEqual(page.value("Text1"), "1.5")
        with self.subTest("triexpr"):
            page = self.page("triexpr")
            page.click("#Option1")
            page.click("#Command1")
            prompts = [page.answer(answer + ENTER) for answer in ("2", "3", "4")]
            self.assertEqual(prompts[0], ("triexpr", "Введите значение первой переменной"))
            self.assertEqual(page.answer(ENTER), ("triexpr", "результат 10"))
        with self.subTest("addreveal"):
            page = self.page("addreveal")
            page.click("#Command2")
            page.wait_focus("Text1")
            page.type("1.5" + ENTER + "2.25")
            page.click("#Command1")
            self.assertEqual(page.answer(ENTER), ("addreveal", "Сумма равна 3.75!"))
        with self.subTest("signcolor"):
            page = self.page("signcolor")
            page.click("#Command1")
            page.wait_focus("Text1")
            self.assertEqual(window_look(page.browser), [True, True])
            page.type("-5" + ENTER)
            page.browser.wait_for(lambda: page.browser.script(
                "return getComputedStyle(document.querySelector('.forms-client')).backgroundColor")
                == "rgb(200, 0, 0)", what="red window")
        with self.subTest("trisum"):
            page = self.page("trisum")
            page.click("#Text1")
            page.type("10")
            page.click("#Command1")
            page.wait_value("Text2", "55")
        with self.subTest("strjoin"):
            page = self.page("strjoin")
            page.click(".forms-client", 2, 2)  # the window itself reveals the fields
            page.click("#Text1")
            page.type("ab" + ENTER + "cd")
            page.click("#Command1")
            page.wait_value("Text3", "abcd")
        with self.subTest("switchcalc"):
            page = self.page("switchcalc")
            page.type("7" + ENTER + "5")
            page.click("#Option2")
            page.click("#Command1")
            page.wait_value("Text3", "2")
        with self.subTest("condsum"):
            page = self.page("condsum")
            page.type("3" + ENTER + "5")
            page.click("#Command1")
            page.wait_value("Text3", "-2")

    def test_boxes_close_with_enter_and_with_escape(self):
        page = self.page("trisum")
        for key in (ENTER, ESCAPE):
            page.click("#Command1")  # N empty: a message box
            self.assertEqual(page.answer(key), ("Ответ", "Введено не верное значение N "))
        self.assertTrue(page.no_dialog())
        # The input box: Esc cancels it with the empty text (Enter answers it: the main jobs).
        page = self.page("triexpr")
        page.click("#Command1")  # no option: the logical expression of three values
        for _ in range(3):
            page.answer(ESCAPE)
        self.assertEqual(page.answer(ESCAPE), ("triexpr", "результат ложно"))
        self.assertTrue(page.no_dialog())

    def test_a_click_inside_a_box_leaves_enter_and_space_to_its_button(self):
        page = self.page("trisum")
        for place, key in (("p", ENTER), (".forms-caption", " ")):
            with self.subTest(place):
                page.click("#Command1")
                _, _, mark = page.dialog()
                page.click(f"dialog[data-test-mark='{mark}'] {place}")
                page.type(key)
                page.wait_closed(mark)
        page = self.page("triexpr")
        page.click("#Option1")
        page.click("#Command1")
        _, _, mark = page.dialog()
        page.click(f"dialog[data-test-mark='{mark}'] p")
        page.type("5" + ENTER)
        page.wait_closed(mark)
        self.assertEqual(page.dialog()[1], "Введите значение второй переменной")

    def test_held_enter_presses_a_button_once(self):
        page = self.page("addreveal")
        page.click("#Command2")
        page.type("1" + ENTER + "2")
        page.browser.script("document.getElementById('Command1').focus()")
        page.wait_focus("Command1")
        # The key-downs the page gets, counted before its own listener sees them.
        page.browser.script("window.enterDowns = 0; window.addEventListener('keydown', "
                            "(event) => { if (event.key === 'Enter') window.enterDowns++; }, true)")
        page.browser.hold_enter(lambda: page.browser.script("return window.enterDowns"))
        # One box, still open: the repeated key-downs neither pressed the button again nor
        # answered the box.
        caption, text, mark = page.dialog()
        self.assertEqual((caption, text), ("addreveal", "Сумма равна 3!"))
        self.assertEqual(page.browser.script("return document.querySelectorAll('dialog[open]').length"), 1)
        page.type(ENTER)
        page.wait_closed(mark)
        self.assertTrue(page.no_dialog())

    def test_paste_is_cut_to_its_first_line_and_refused_past_the_limit(self):
        page = self.page("sumdiff")
        page.copy_to_clipboard("\r\n42\nrest")
        page.click("#Text2")
        page.browser.press_with_control("v")
        page.wait_value("Text2", "42")  # the first line that is not empty
        full = "7" * (LIMIT - 1)
        page.set_value("Text2", full)
        page.copy_to_clipboard("12")
        page.click("#Text2")
        page.browser.press_with_control("v")
        page.browser.wait_for(lambda: page.browser.script(
            "const notice = document.getElementById('forms-notice');"
            "return notice && notice.getClientRects().length && notice.textContent"), what="the notice")
        self.assertEqual(page.browser.script("return document.getElementById('forms-notice').textContent"), NOTICE)
        self.assertEqual(page.value("Text2"), full)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    ENGINE = sys.argv.pop(1)
    PAGES = pathlib.Path(sys.argv.pop(1))
    unittest.main(verbosity=2)
