#!/usr/bin/env bash
# Builds (as the tests do) and runs every benchmark in build/bench/.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh
./scripts/build.sh
# The glob also matches CMake's bench_*_autogen folders: only executable files are benchmarks.
for program in build/bench/bench_*; do
    [[ -f "$program" && -x "$program" ]] || continue
    echo "== $program"
    "$program" "$@"
done
