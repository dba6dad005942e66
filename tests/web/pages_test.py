#!/usr/bin/python3
"""The programs' pages in headless Chromium, opened from disk and driven by real clicks and key
presses: a whole computation per program, the dialogs, a run-time error, KeyPress by
reference, the text limit, the names screen readers get and a narrow screen.

    pages_test.py PAGES_FOLDER [TEST_NAME...]
"""
import functools
import html
import http.server
import os
import pathlib
import re
import sys
import threading
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import Browser, window_look  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

PAGES = None
ENTER = "\n"
ESCAPE = Keys.ESCAPE
LIMIT = 262144
NOTICE = "Текст не помещается: в поле не более 262144 знаков"


class Page:
    """One program's page in its own browser."""

    def __init__(self, test, program, width=1024, server=None):
        self.browser = Browser(width=width)
        test.addCleanup(self.browser.close)
        if width < 500:
            # A headless window is never narrower than 500 px; a phone's screen is emulated.
            self.browser.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
                "width": width, "height": 640, "deviceScaleFactor": 2, "mobile": True})
        if server:
            self.browser.driver.get(f"http://127.0.0.1:{server.server_port}/{program}.html")
        else:
            self.browser.open(PAGES / f"{program}.html")
        self.wait_ready()

    def wait_ready(self):
        self.browser.wait_for(lambda: self.browser.script("return document.documentElement.dataset.formsReady"),
                              what="page ready")

    def click(self, name):
        self.browser.click(self.browser.find(f"#{name}"))

    def type(self, keys):
        self.browser.type(keys)

    def value(self, name):
        return self.browser.script("return document.getElementById(arguments[0]).value", name)

    def wait_value(self, name, expected):
        self.browser.wait_for(lambda: self.value(name) == expected, what=f"{name} = {expected!r}")

    def focused(self):
        return self.browser.script("return document.activeElement.id")

    def wait_focus(self, name):
        self.browser.wait_for(lambda: self.focused() == name, what=f"focus on {name}")

    def dialog(self):
        """The open dialog as (caption, text, element)."""
        element = self.browser.find("dialog[open]")
        return (element.find_element("css selector", ".forms-caption").text,
                element.find_element("css selector", "p").text, element)

    def answer(self, keys):
        """Types into the open dialog and closes it with the keys' last one."""
        caption, text, element = self.dialog()
        self.type(keys)
        self.browser.wait_for(lambda: self.browser.is_gone(element), what="dialog closed")
        return caption, text

    def background(self, selector):
        return self.browser.script("return getComputedStyle(document.querySelector(arguments[0])).backgroundColor",
                                   selector)

    def press_with_control(self, key):
        ActionChains(self.browser.driver).key_down(Keys.CONTROL).send_keys(key).key_up(Keys.CONTROL).perform()

    def copy_to_clipboard(self, text, made_by="arguments[0]"):
        """Puts text on the browser's clipboard as a user would: select it somewhere, Ctrl+C.
        Texts of megabytes are better made in the page by a script expression (made_by)."""
        self.browser.script(
            "const area = document.createElement('textarea'); area.id = 'clip';"
            f"area.value = {made_by}; document.body.append(area); area.focus(); area.select();", text)
        self.press_with_control("c")
        self.browser.script("document.getElementById('clip').remove()")

    def paste_into(self, name):
        self.click(name)
        self.press_with_control("v")


class ProgramsCompute(unittest.TestCase):
    """Each program's whole computation, from typing to the result it shows."""

    def test_sumdiff_enter_moves_on_and_the_sum_is_shown(self):
        page = Page(self, "sumdiff")
        self.assertEqual(page.focused(), "Text1")
        # KeyPress gets Enter as 13 by reference: the handler moves the focus, nothing is typed.
        page.type("1.5" + ENTER)
        page.wait_focus("Text2")
        page.type("2")
        page.click("Option1")
        page.click("Command1")
        page.wait_value("Text3", "3.5")
        self.assertEqual(page.value("Text1"), "1.5")
        # Opened from disk, the page fetched nothing (no manifest either) and logged no error.
        self.assertEqual(page.browser.script("return performance.getEntriesByType('resource').length"), 0)
        self.assertIsNone(page.browser.script("return document.querySelector('link[rel=manifest]')"))
        self.assertEqual(page.browser.console_errors(), [])

    def test_triexpr_asks_three_numbers_then_reports(self):
        page = Page(self, "triexpr")
        page.click("Option1")
        page.click("Command1")
        prompts = [page.answer(answer + ENTER) for answer in ("2", "3", "4")]
        self.assertEqual([caption for caption, _ in prompts], ["triexpr"] * 3)
        self.assertEqual(prompts[0][1], "Введите значение первой переменной")
        self.assertEqual(page.answer(ENTER), ("triexpr", "результат 10"))

    def test_addreveal_reveals_then_reports_the_sum(self):
        page = Page(self, "addreveal")
        self.assertTrue(page.browser.script("return document.getElementById('Text1').hidden"))
        page.click("Command2")
        page.wait_focus("Text1")
        page.type("1.5" + ENTER + "2.25")
        page.click("Command1")
        self.assertEqual(page.answer(ENTER), ("addreveal", "Сумма равна 3.75!"))

    def test_signcolor_colours_the_window_by_sign(self):
        page = Page(self, "signcolor")
        self.assertTrue(page.browser.script("return document.getElementById('Text1').disabled"))  # by Load
        page.click("Command1")
        page.wait_focus("Text1")
        self.assertEqual(page.background(".forms-client"), "rgb(190, 190, 190)")
        self.assertEqual(window_look(page.browser), [True, True])
        page.type("-5" + ENTER)
        page.browser.wait_for(lambda: page.background(".forms-client") == "rgb(200, 0, 0)", what="red window")
        # Labels keep their own background.
        self.assertNotEqual(page.background("#Label1"), "rgb(200, 0, 0)")

    def test_trisum_sums_one_to_n(self):
        page = Page(self, "trisum")
        page.click("Text1")
        page.type("10")
        page.click("Command1")
        page.wait_value("Text2", "55")
        page.wait_focus("Text1")

    def test_strjoin_window_click_reveals_the_fields(self):
        page = Page(self, "strjoin")
        client = page.browser.find(".forms-client")
        ActionChains(page.browser.driver).move_to_element_with_offset(client, 0, 0).click().perform()
        page.browser.find("#Text1")
        page.click("Text1")
        page.type("ab" + ENTER + "cd")
        page.click("Command1")
        page.wait_value("Text3", "abcd")

    def test_switchcalc_subtracts_with_the_second_switch(self):
        page = Page(self, "switchcalc")
        page.type("7" + ENTER + "5")
        page.click("Option2")
        page.click("Command1")
        page.wait_value("Text3", "2")

    def test_condsum_subtracts_when_a_is_not_greater(self):
        page = Page(self, "condsum")
        page.type("3" + ENTER + "5")
        page.click("Command1")
        page.wait_value("Text3", "-2")


class PageBehaviour(unittest.TestCase):
    """What the backend adds around the programs: dialogs, errors, limits, names."""

    def test_escape_cancels_an_input_box_and_gives_the_empty_text(self):
        page = Page(self, "triexpr")
        page.click("Command1")  # no option selected: the logical expression
        for _ in range(3):
            caption, _, dialog = page.dialog()
            self.assertIn("Отмена", dialog.text)
            page.answer(ESCAPE)
        self.assertEqual(page.answer(ESCAPE), ("triexpr", "результат ложно"))
        self.assertEqual(page.browser.console_errors(), [])

    def test_run_time_error_box_then_the_program_goes_on(self):
        page = Page(self, "condsum")
        page.type("40000" + ENTER + "1")
        page.click("Command1")
        caption, text = page.answer(ENTER)
        self.assertEqual(caption, "condsum")
        self.assertIn("Ошибка выполнения", text)
        errors = page.browser.console_errors()
        self.assertEqual(len(errors), 1)
        self.assertIn("condsum: Ошибка выполнения", errors[0])
        self.assertIn("Command1_Click", errors[0])
        self.assertEqual(page.value("Text3"), "")
        # What the user typed stays, and the next click computes.
        self.assertEqual(page.value("Text1"), "40000")
        page.browser.script("document.getElementById('Text1').value = '4'")
        page.click("Command1")
        page.wait_value("Text3", "5")

    def test_text_limit_refuses_typing_and_pastes_whole_with_a_notice(self):
        page = Page(self, "sumdiff")
        page.copy_to_clipboard("\r\n42\nrest")
        page.paste_into("Text2")
        page.wait_value("Text2", "42")  # the first line that is not empty
        full = "7" * (LIMIT - 1)
        page.browser.script("document.getElementById('Text2').value = arguments[0]", full)
        page.copy_to_clipboard("12")
        page.paste_into("Text2")
        notice = page.browser.find("#forms-notice")
        self.assertEqual(notice.text, NOTICE)
        self.assertEqual(page.value("Text2"), full)
        # Typing through a KeyPress handler is checked the same way: one more fits, then no more.
        page.browser.script("document.getElementById('Text1').value = arguments[0]", full)
        page.click("Text1")
        page.browser.script("const box = document.getElementById('Text1'); box.setSelectionRange(box.value.length, box.value.length)")
        page.type("89")
        page.browser.wait_for(lambda: len(page.value("Text1")) == LIMIT, what="one character typed")
        self.assertEqual(page.value("Text1")[-1], "8")

    def test_names_for_screen_readers(self):
        page = Page(self, "triexpr")
        page.click("Command1")
        page.dialog()
        nodes = [(node["role"], node["name"]) for node in page.browser.accessibility_tree() if not node["ignored"]]
        self.assertIn(("dialog", "triexpr"), nodes)
        self.assertIn(("textbox", "Введите значение первой переменной"), nodes)
        page.answer(ESCAPE)
        page = Page(self, "sumdiff")
        nodes = [(node["role"], node["name"]) for node in page.browser.accessibility_tree() if not node["ignored"]]
        for expected in [("region", "Form1"), ("textbox", "A"), ("textbox", "B"), ("textbox", "C"),
                         ("radio", "Сумма"), ("button", "вычислить")]:
            self.assertIn(expected, nodes)

    def test_held_enter_presses_a_button_once_and_never_answers_its_box(self):
        page = Page(self, "addreveal")
        page.click("Command2")
        page.type("1" + ENTER + "2")
        page.browser.script("document.getElementById('Command1').focus()")

        def enter(kind, repeat=False):
            page.browser.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {
                "type": kind, "key": "Enter", "code": "Enter", "windowsVirtualKeyCode": 13,
                "autoRepeat": repeat, "text": "\r" if kind == "keyDown" else ""})

        enter("keyDown")
        _, text, dialog = page.dialog()
        for _ in range(3):
            enter("keyDown", repeat=True)
        enter("keyUp")
        self.assertTrue(page.browser.script("return arguments[0].open", dialog))
        self.assertEqual(page.answer(ENTER), ("addreveal", "Сумма равна 3!"))
        self.assertEqual(page.browser.script("return document.querySelectorAll('dialog').length"), 0)

    def test_enter_tapped_on_a_button_right_after_a_box_closed_presses_it(self):
        page = Page(self, "sumdiff")
        page.type("1E39")
        page.click("Command1")
        self.assertEqual(page.answer(ENTER), ("sumdiff", "Ошибка выполнения 2: переполнение"))
        page.type(ENTER)  # on the button, which kept the focus
        self.assertEqual(page.answer(ENTER), ("sumdiff", "Ошибка выполнения 2: переполнение"))

    def test_ascii_pages_read_as_written_and_ctrl_c_copies_a_message_box(self):
        for path in PAGES.glob("*.html"):
            self.assertTrue(path.read_bytes().isascii(), path.name)
        title = re.search(r"<title>(.*?)</title>", (PAGES / "trisum.html").read_text(encoding="ascii")).group(1)
        self.assertEqual(html.unescape(title), "Пример вычисления — trisum")
        page = Page(self, "trisum")
        self.assertEqual(page.browser.driver.title, "Пример вычисления — trisum")
        page.type("0")
        page.click("Command1")
        # Ctrl+C in the message box copies its caption and text.
        page.dialog()
        page.press_with_control("c")
        self.assertEqual(page.answer(ENTER), ("Ответ", "Введено не верное значение N "))
        page.browser.script("const area = document.createElement('textarea'); area.id = 'clip';"
                            "document.body.append(area); area.focus();")
        page.press_with_control("v")
        page.wait_value("clip", "Ответ\n\nВведено не верное значение N \n")

    def test_narrow_screen_keeps_text_readable_and_a_tap_still_clicks(self):
        # A phone 320 px wide: the window is scaled no further than 9 px text and the page pans;
        # the input box fits the screen.
        smallest_text = """
            const scale = (element) => element.getBoundingClientRect().width / element.offsetWidth;
            const shown = [...document.querySelectorAll('.forms-window *, dialog[open] *')]
                .filter((element) => element.childNodes.length && element.offsetWidth && element.textContent.trim());
            return Math.min(...shown.map((element) => parseFloat(getComputedStyle(element).fontSize)
                                                     * scale(element.closest('dialog, .forms-window'))));"""
        page = Page(self, "sumdiff", width=320)
        self.assertGreaterEqual(page.browser.script(smallest_text), 9)
        page.type("1" + ENTER + "2")
        page.click("Option2")
        page.click("Command1")
        page.wait_value("Text3", "-1")
        page = Page(self, "triexpr", width=320)
        page.click("Option1")
        page.click("Command1")
        _, _, dialog = page.dialog()
        self.assertGreaterEqual(page.browser.script(smallest_text), 9)
        left, right = page.browser.script("const box = arguments[0].getBoundingClientRect(); return [box.left, box.right]",
                                          dialog)
        self.assertGreaterEqual(left, 0)
        self.assertLessEqual(right, page.browser.script("return document.documentElement.clientWidth"))

    def test_boxes_on_a_phone_open_whole_in_view_and_ok_takes_a_tap(self):
        # A 320 px screen shows part of these windows: the error box opens whole in that part,
        # zoomed in three times too, and OK takes a real click where it is.
        for program, option, zoom in [("switchcalc", "Option1", 1), ("sumdiff", None, 1), ("condsum", None, 1),
                                      ("condsum", None, 3)]:
            with self.subTest(program=program, zoom=zoom):
                page = Page(self, program, width=320)
                page.type("1E39" if program == "sumdiff" else "40000")
                if option:
                    page.click(option)
                page.browser.driver.execute_cdp_cmd("Emulation.setPageScaleFactor", {"pageScaleFactor": zoom})
                page.browser.script("document.getElementById('Command1').click()")
                _, _, dialog = page.dialog()
                inside, x, y = page.browser.script("""
                    const box = arguments[0].getBoundingClientRect(), view = visualViewport;
                    const ok = arguments[0].querySelector('button').getBoundingClientRect();
                    return [box.left >= view.offsetLeft && box.right <= view.offsetLeft + view.width &&
                            box.top >= view.offsetTop && box.bottom <= view.offsetTop + view.height,
                            ok.x + ok.width / 2, ok.y + ok.height / 2];""", dialog)
                self.assertTrue(inside)
                if zoom == 1:
                    page.browser.click_at(x, y)
                    page.browser.wait_for(lambda: page.browser.is_gone(dialog), what="box closed by OK")

    def test_forced_colours_keep_the_window_colour_a_program_sets(self):
        page = Page(self, "signcolor")
        page.browser.driver.execute_cdp_cmd("Emulation.setEmulatedMedia",
                                            {"features": [{"name": "forced-colors", "value": "active"}]})
        page.click("Command1")
        page.wait_focus("Text1")
        page.type("-5" + ENTER)
        page.browser.wait_for(lambda: page.background(".forms-client") == "rgb(200, 0, 0)", what="red window")


class PageUnderStress(unittest.TestCase):
    """What a careless or hostile user does: huge pastes, clicks beside a box's button, a page
    served and then cut off from the network, a runtime that stops."""

    def test_pastes_of_any_size_are_decided_before_the_program_sees_them(self):
        page = Page(self, "strjoin")
        client = page.browser.find(".forms-client")
        ActionChains(page.browser.driver).move_to_element_with_offset(client, 0, 0).click().perform()
        # name, the pasted text (made in the page), what the first box then holds
        for name, pasted, expected in [("6 MB refused whole", "'7'.repeat(6000000)", ""),
                                       ("the first line that is not empty", "'\\n3\\n' + '7'.repeat(10000000)", "3"),
                                       ("a NUL kept out", "'a\\0b'", "ab")]:
            with self.subTest(name):
                page.browser.script("document.getElementById('Text1').value = ''")
                page.copy_to_clipboard(None, made_by=pasted)
                page.paste_into("Text1")
                if expected:
                    page.wait_value("Text1", expected)
                else:
                    self.assertEqual(page.browser.find("#forms-notice").text, NOTICE)
                    self.assertEqual(page.value("Text1"), "")
        page.click("Text2")
        page.type("Z")
        page.click("Command1")
        page.wait_value("Text3", "abZ")
        # Two full boxes joined are too long for the third: the error box, and the program goes on.
        page.browser.script("for (const id of ['Text1', 'Text2']) document.getElementById(id).value = "
                            "'\u0436'.repeat(arguments[0])", LIMIT)
        page.click("Command1")
        caption, text = page.answer(ENTER)
        self.assertIn("Ошибка выполнения", text)
        self.assertEqual(page.value("Text3"), "abZ")
        self.assertFalse([line for line in page.browser.console_errors() if "Abort" in line or "RuntimeError" in line])

    def test_a_click_inside_a_box_leaves_enter_and_space_to_its_button(self):
        page = Page(self, "trisum")
        # where the click goes, as (element's selector in the box or None for the page, x offset)
        for name, selector, key in [("its text", "p", ENTER), ("its caption", ".forms-caption", " "),
                                    ("beside it", None, ENTER)]:
            with self.subTest(name):
                page.click("Command1")  # N empty: a message box
                _, _, dialog = page.dialog()
                actions = ActionChains(page.browser.driver)
                if selector:
                    actions.move_to_element(dialog.find_element("css selector", selector))
                else:
                    actions.move_to_element_with_offset(dialog, -dialog.size["width"] // 2 - 5, 0)
                actions.click().perform()
                page.type(key)
                page.browser.wait_for(lambda: page.browser.is_gone(dialog), what="box closed")
        # The input box: a click on its prompt, a paste too long for it, then typing and Enter.
        page = Page(self, "triexpr")
        page.copy_to_clipboard(None, made_by="'7'.repeat(6000000)")
        page.click("Option1")
        page.click("Command1")
        _, _, dialog = page.dialog()
        page.browser.click(dialog.find_element("css selector", "p"))
        page.press_with_control("v")
        self.assertEqual(page.browser.find("dialog .forms-notice").text, NOTICE)
        page.type("5" + ENTER)
        self.assertEqual(page.dialog()[1], "Введите значение второй переменной")

    def test_served_pages_install_and_reload_offline(self):
        server = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(QuietHandler, directory=str(PAGES)))
        threading.Thread(target=server.serve_forever, daemon=True).start()
        self.addCleanup(server.server_close)
        page = Page(self, "sumdiff", server=server)
        driver = page.browser.driver
        driver.execute_async_script("navigator.serviceWorker.ready.then(() => arguments[0]())")
        errors = driver.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"]
        self.assertEqual(errors, [])
        server.shutdown()
        driver.refresh()
        page.wait_ready()
        page.type("1" + ENTER + "2")
        page.click("Option1")
        page.click("Command1")
        page.wait_value("Text3", "3")

    def test_a_runtime_that_stops_says_so(self):
        page = Page(self, "sumdiff")
        page.browser.script("setTimeout(() => abort('a test stops it'))")
        message = page.browser.find(".forms-stopped")
        self.assertIn("Перезагрузите страницу", message.text)
        self.assertTrue(page.browser.script("return document.querySelector('.forms-window').inert"))


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    PAGES = pathlib.Path(sys.argv.pop(1))
    unittest.main(verbosity=2)
