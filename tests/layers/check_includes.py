#!/usr/bin/env python3
"""Every #include "folder/..." of src/ must name its own folder or a layer below it:
app -> batch -> view -> sim, curves, config, dialogs -> platform."""
import pathlib
import re
import sys

BELOW = {
    "platform": set(),
    "config": {"platform"},
    "sim": {"platform"},
    "curves": {"platform"},
    "dialogs": {"platform"},
    "view": {"sim", "curves", "config", "dialogs", "platform"},
    "batch": {"view", "sim", "curves", "config", "dialogs", "platform"},
    "app": {"batch", "view", "sim", "curves", "config", "dialogs", "platform"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/')


def violations(src):
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        folder = path.relative_to(src).parts[0]
        allowed = BELOW.get(folder)
        if allowed is None:
            found.append("%s: folder %s has no place in the layers" % (path, folder))
            continue
        for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
            match = INCLUDE.match(line)
            if match and match.group(1) != folder and match.group(1) not in allowed:
                found.append("%s:%d includes %s/, a layer %s may not use" % (path, number, match.group(1), folder))
    return found


if __name__ == "__main__":
    problems = violations(pathlib.Path(sys.argv[1]))
    print("\n".join(problems) if problems else "every include follows the layers")
    sys.exit(1 if problems else 0)
