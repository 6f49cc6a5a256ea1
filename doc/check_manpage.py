#!/usr/bin/env python3
"""Checks that the manual page names every option and every batch command that --help lists.

    check_manpage.py TAV1 PAGE

TAV1 is the built program, PAGE its generated manual page (roff). The options are the words of
--help that start with - or --; the batch commands are the capitalised words of the paragraph
after "commands:". Each must appear in the page's text as a whole word. Exits 1 and names the
missing ones when any is missing, or when --help lists none of either.
"""
import os
import re
import subprocess
import sys

OPTION = re.compile(r"(?<![\w-])--?[A-Za-z][\w-]*")
COMMAND = re.compile(r"\b[A-Z][a-z]\w*")


def help_words(program):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    text = subprocess.run([program, "--help"], env=env, capture_output=True, text=True,
                          check=True).stdout
    options = set(OPTION.findall(text))
    commands = set()
    lines = iter(text.splitlines())
    for line in lines:
        if line.rstrip().endswith("commands:"):
            for entry in lines:
                if not entry.strip():
                    break
                commands.update(COMMAND.findall(entry))
    return options, commands


def page_text(path):
    """The page's words without roff: font changes, escaped minus signs, request names."""
    with open(path, encoding="utf-8") as page:
        text = page.read()
    text = re.sub(r"\\f[BIRP]|\\f\(\w\w|\\&", "", text)
    text = text.replace("\\-", "-")
    return re.sub(r"^\.\w+", "", text, flags=re.MULTILINE)


def main():
    program, page = sys.argv[1:3]
    options, commands = help_words(program)
    if not options or not commands:
        print("--help lists no options or no batch commands:", sorted(options), sorted(commands))
        return 1
    text = page_text(page)
    missing = [word for word in sorted(options) + sorted(commands)
               if not re.search(r"(?<![\w-])" + re.escape(word) + r"(?![\w-])", text)]
    if missing:
        print(f"{page} lacks what --help lists: {' '.join(missing)}")
        return 1
    print(f"{page} names all {len(options)} options and {len(commands)} batch commands of --help")
    return 0


if __name__ == "__main__":
    sys.exit(main())
