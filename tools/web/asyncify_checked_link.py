#!/usr/bin/env python3
"""Runs a link of the browser build and stops it where the list of functions left out of
asyncify (frame/web/asyncify-remove.json) names one that no longer exists: a renamed function
would otherwise silently go back to being instrumented, and every page would grow.

    asyncify_checked_link.py LINK_COMMAND...

The link's own output passes through; each name the optimiser found nothing for is reported as
an error naming it, and the linked file is removed so that the next build links again.
"""
import os
import re
import subprocess
import sys

# What binaryen's asyncify pass says of a name in its remove list that matches no function.
# A pattern is followed by its escaped form in parentheses.
UNMATCHED = re.compile(r"Asyncify removelist contained a non-(?:matching pattern|existing function name): "
                       r"(.+?)(?: \([^()\n]*\))?$", re.MULTILINE)


def output_of(command):
    for index, argument in enumerate(command[:-1]):
        if argument == "-o":
            return command[index + 1]
    return None


def main():
    command = sys.argv[1:]
    link = subprocess.run(command, stderr=subprocess.PIPE, text=True, errors="replace")
    sys.stderr.write(link.stderr)
    unmatched = sorted(set(UNMATCHED.findall(link.stderr)))
    if link.returncode != 0 or not unmatched:
        return link.returncode
    target = output_of(command)
    for name in unmatched:
        print(f"error: frame/web/asyncify-remove.json names {name}, which matches no function of "
              f"{target or 'the link'}: rename it with its function or remove it", file=sys.stderr)
    if target and os.path.exists(target):
        os.remove(target)
    return 1


if __name__ == "__main__":
    sys.exit(main())
