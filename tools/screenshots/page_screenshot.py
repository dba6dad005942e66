#!/usr/bin/python3
"""A picture of a page's window as it opens, taken in headless Chromium, for the README:

    tools/screenshots/page_screenshot.py dist/web/sumdiff.html docs/screenshots/sumdiff-web.png
"""
import pathlib
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parents[2] / "tests" / "web"))
from browser import Browser  # noqa: E402


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    page, picture = sys.argv[1:]
    with Browser(width=800, height=600) as browser:
        browser.open(page)
        browser.wait_for(lambda: browser.script("return document.documentElement.dataset.formsReady"),
                         what="page ready")
        if not browser.find(".forms-window").screenshot(picture):
            sys.exit(f"cannot write {picture}")


if __name__ == "__main__":
    main()
