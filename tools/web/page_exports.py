#!/usr/bin/env python3
"""Checks that the page calls the program only through its one object of exports, and that the
object lists the program's exports as they are.

    page_exports.py PAGE_CPP ASYNCIFY_REMOVE EXPORTS_SCRIPT [SCRIPT...] [--stamp FILE]

PAGE_CPP's extern "C" block declares the functions the page may call. EXPORTS_SCRIPT
(frame/web/page/exports.js) lists each once in its `Object.entries({...})` table, as
`name: true` when it may wait for a dialog and `name: false` when it answers at once. The
check stops the build, naming what is wrong, when
  - a function of the extern "C" block is missing from the table, or the table names one the
    block lacks, or names one twice;
  - a function that may wait is left out of asyncify by ASYNCIFY_REMOVE (it could not wait);
  - a script other than EXPORTS_SCRIPT (or PAGE_CPP's own JavaScript) calls the program by a
    bare name (_forms_web_..., ccall, Module["_..."]) instead of through formsProgram, or calls
    a method formsProgram does not have.
With --stamp, FILE is written once everything agrees, for the build to depend on.
"""
import argparse
import fnmatch
import json
import pathlib
import re
import sys

EXPORTED = re.compile(r"\bEMSCRIPTEN_KEEPALIVE\b[^;{(]*?\b(\w+)\s*\(")
TABLE = re.compile(r"Object\.entries\(\{(.*?)\}\)", re.DOTALL)
ENTRY = re.compile(r"(\w+)\s*:\s*(true|false)\s*,?")
BARE_CALL = re.compile(r"\b_forms_web_\w+|\bccall\s*\(|\bModule\s*\[\s*[\"']_|\bwasmExports\b|\bModule\s*\[\s*[\"']asm[\"']")
METHOD_USE = re.compile(r"\bformsProgram\.(\w+)")


def without_comments(text):
    """The text with its comments blanked, lines kept where they were."""
    def blank(match):
        return re.sub(r"[^\n]", " ", match.group(0))
    return re.sub(r"^\s*//[^\n]*|/\*.*?\*/|(?<=[;{}),\s])//[^\n]*", blank, text, flags=re.DOTALL | re.MULTILINE)


def exported_functions(page_cpp):
    source = without_comments(page_cpp.read_text(encoding="utf-8"))
    block = re.search(r'extern\s+"C"\s*\{(.*)\}\s*$', source, re.DOTALL)
    if not block:
        return None
    return EXPORTED.findall(block.group(1))


def table_of(script, errors):
    """The table's names in their order, each with whether it may wait."""
    text = without_comments(script.read_text(encoding="utf-8"))
    found = TABLE.search(text)
    if not found:
        errors.append(f"{script}: no Object.entries({{...}}) table of the program's exports")
        return []
    entries = []
    for piece in filter(None, (line.strip() for line in found.group(1).splitlines())):
        entry = ENTRY.fullmatch(piece)
        if not entry:
            errors.append(f"{script}: cannot read the table's entry {piece!r} (write `name: true,` or `name: false,`)")
            continue
        entries.append((entry.group(1), entry.group(2) == "true"))
    return entries


def method_name(export):
    """formsProgram's method for an export: forms_web_next_tab_stop is nextTabStop."""
    rest = export[len("forms_web_"):] if export.startswith("forms_web_") else export
    return re.sub(r"_(.)", lambda match: match.group(1).upper(), rest)


def check(page_cpp, remove_list, exports_script, scripts):
    errors = []
    exported = exported_functions(page_cpp)
    if exported is None:
        return [f"{page_cpp}: no extern \"C\" block"]
    entries = table_of(exports_script, errors)
    listed = [name for name, _ in entries]
    for name in sorted({name for name in listed if listed.count(name) > 1}):
        errors.append(f"{exports_script}: {name} is listed more than once")
    for name in exported:
        if name not in listed:
            errors.append(f"{exports_script}: {name} of {page_cpp.name}'s extern \"C\" block is missing: "
                          f"add `{name}: true,` if it may wait for a dialog, else `{name}: false,`")
    for name in listed:
        if name not in exported:
            errors.append(f"{exports_script}: {name} is not in {page_cpp.name}'s extern \"C\" block: "
                          "remove it or export it there")
    removed = json.loads(remove_list.read_text(encoding="utf-8"))
    for name, may_wait in entries:
        if may_wait and any(fnmatch.fnmatchcase(name, pattern) for pattern in removed):
            errors.append(f"{remove_list}: leaves {name} out of asyncify, but it may wait for a dialog")
    methods = {method_name(name) for name in listed}
    for script in [page_cpp, *scripts]:
        if script.resolve() == exports_script.resolve():
            continue
        lines = without_comments(script.read_text(encoding="utf-8")).splitlines()
        for number, line in enumerate(lines, 1):
            for call in BARE_CALL.findall(line):
                errors.append(f"{script}:{number}: calls the program by a bare name ({call.rstrip('( ').strip()}): "
                              "call it through formsProgram")
            for method in METHOD_USE.findall(line):
                if method not in methods:
                    errors.append(f"{script}:{number}: formsProgram has no method {method}")
    return errors


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("page_cpp", type=pathlib.Path)
    parser.add_argument("remove_list", type=pathlib.Path)
    parser.add_argument("exports_script", type=pathlib.Path)
    parser.add_argument("scripts", type=pathlib.Path, nargs="*")
    parser.add_argument("--stamp", type=pathlib.Path)
    args = parser.parse_args()
    errors = check(args.page_cpp, args.remove_list, args.exports_script, args.scripts)
    for error in errors:
        print(f"error: {error}", file=sys.stderr)
    if errors:
        return 1
    if args.stamp:
        args.stamp.write_text("The page's calls into the program agree with page.cpp.\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
