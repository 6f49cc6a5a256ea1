#!/usr/bin/env bash
# Rewrites the parts of README.md made from the code: the reference of batch commands, printed by
# tools/batchcommands from the command table. The test readme_batch_commands fails until this has
# run after a change to the table. BUILD names the build folder (default build).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build}

[ -f "$build/build.ninja" ] || cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target batchcommands >/dev/null
python3 tools/readme_section.py update README.md batch-commands "$build/tools/batchcommands"
