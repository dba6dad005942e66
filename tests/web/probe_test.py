#!/usr/bin/python3
"""The probe page (tests/web/probe) in headless Chromium, opened from disk: a C++ call waits for each
answer in a modal dialog, an exception crosses that wait, the font inside the page is used and
nothing is fetched.

    probe_test.py PAGE.html
"""
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import Browser  # noqa: E402

PAGE = None


class ProbePage(unittest.TestCase):
    def setUp(self):
        self.browser = Browser()
        self.addCleanup(self.browser.close)
        self.browser.open(PAGE)

    def answer_dialog(self, prompt, keys, by_click):
        browser = self.browser
        dialog = browser.find("dialog[open]")
        self.assertEqual(dialog.find_element("css selector", "p").text, prompt)
        roles = [(node["role"], node["name"]) for node in browser.accessibility_tree() if not node["ignored"]]
        self.assertIn("dialog", [role for role, _ in roles])
        browser.type(keys)
        if by_click:
            browser.click(dialog.find_element("css selector", "button"))
        else:
            browser.type("\n")
        browser.wait_for(lambda: browser.is_gone(dialog), what="dialog closed")

    def test_answers_from_two_dialogs_reach_the_page(self):
        browser = self.browser
        self.assertEqual(browser.driver.title, "Проба")
        self.answer_dialog("Первый ответ", "один", by_click=True)
        self.answer_dialog("Второй ответ", "два", by_click=False)
        browser.wait_for(lambda: browser.text("#result") == "один / два", what="result shown")
        names = [node["name"] for node in browser.accessibility_tree() if not node["ignored"]]
        self.assertIn("один / два", names)
        self.assertEqual(browser.console_errors(), [])
        # The font carried inside the page covers the Cyrillic text, and nothing was fetched.
        faces = browser.driver.execute_async_script(
            "const done = arguments[0];"
            "document.fonts.load('16px \"Forms Sans\"', 'Проба №').then((faces) => done(faces.length));")
        self.assertEqual(faces, 1)
        self.assertEqual(browser.script("return performance.getEntriesByType('resource').length"), 0)

    def test_an_exception_crosses_the_wait_for_a_dialog(self):
        browser = self.browser
        self.answer_dialog("Первый ответ", "", by_click=True)
        browser.wait_for(lambda: browser.text("#result") == "Ошибка: пустой ответ", what="error shown")
        self.assertEqual(browser.console_errors(), [])


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    PAGE = sys.argv.pop(1)
    unittest.main(verbosity=2)
