#!/usr/bin/env python3
"""Rearranges a linked single-file page so that its WebAssembly compiles while the browser is
still reading the loader: the base64 WebAssembly moves out of the loader's JavaScript into a data
block of its own before it, and a two-line script right after the block starts compiling it
(where the browser decodes base64 itself). The loader takes the compiled module from there
(frame/web/page/loader.js), or, in a browser without it, rebuilds its data URL from the block.

    wasm_first.py PAGE.html
"""
import re
import sys

DATA = re.compile(r'wasmBinaryFile="data:application/octet-stream;base64,([A-Za-z0-9+/=]+)"')
EARLY = ('<script type="application/octet-stream" id="forms-wasm">{data}</script>\n'
         '<script>if (typeof Uint8Array.fromBase64 === "function") window.formsWasm = WebAssembly.compile('
         'Uint8Array.fromBase64(document.getElementById("forms-wasm").textContent));</script>\n')


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    path = sys.argv[1]
    with open(path, encoding="utf-8") as file:
        page = file.read()
    found = DATA.search(page)
    if not found:
        if 'id="forms-wasm"' in page:
            return  # already rearranged
        sys.exit(f"wasm_first.py: {path} has no WebAssembly data URL")
    loader = page.rfind("<script", 0, found.start())
    page = (page[:loader] + EARLY.format(data=found.group(1)) + page[loader:found.start()]
            + 'wasmBinaryFile="data:application/octet-stream;base64,"+document.getElementById("forms-wasm").textContent'
            + page[found.end():])
    with open(path, "w", encoding="utf-8") as file:
        file.write(page)


if __name__ == "__main__":
    main()
