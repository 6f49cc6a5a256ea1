#!/usr/bin/env python3
"""Keeps a generated section of README.md equal to what a program prints.

    readme_section.py check|update README NAME PROGRAM [ARGS...]

The section is the text between the lines <!-- NAME --> and <!-- /NAME -->. check exits 1 and
shows the difference when the section is not PROGRAM's output; update writes the output into
the section and leaves the rest of the file as it is.
"""
import difflib
import os
import subprocess
import sys
import tempfile


def split(text, name, path):
    begin, end = "<!-- %s -->\n" % name, "<!-- /%s -->\n" % name
    start = text.find(begin)
    stop = text.find(end, start + len(begin)) if start >= 0 else -1
    if start < 0 or stop < 0:
        sys.exit("%s: no section between %s and %s" % (path, begin.strip(), end.strip()))
    start += len(begin)
    return text[:start], text[start:stop], text[stop:]


def main(mode, path, name, program):
    generated = subprocess.run(program, capture_output=True, text=True, check=True).stdout
    section = "\n" + generated.strip("\n") + "\n\n"
    with open(path, encoding="utf-8") as file:
        head, current, tail = split(file.read(), name, path)
    if current == section:
        return 0
    if mode == "check":
        sys.stdout.writelines(difflib.unified_diff(
            current.splitlines(True), section.splitlines(True),
            "%s (section %s)" % (path, name), " ".join(program)))
        print("The section %s of %s differs from what %s prints; scripts/update_readme.sh rewrites it."
              % (name, path, os.path.basename(program[0])))
        return 1
    folder = os.path.dirname(os.path.abspath(path))
    with tempfile.NamedTemporaryFile("w", encoding="utf-8", dir=folder, delete=False) as file:
        file.write(head + section + tail)
    os.chmod(file.name, os.stat(path).st_mode)
    os.replace(file.name, path)
    print("%s: section %s rewritten" % (path, name))
    return 0


if __name__ == "__main__":
    if len(sys.argv) < 5 or sys.argv[1] not in ("check", "update"):
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]))
