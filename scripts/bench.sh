#!/usr/bin/env bash
# Builds (as the tests do) and runs every benchmark in build/bench/.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh
./scripts/build.sh
for program in build/bench/bench_*; do
    echo "== $program"
    "$program" "$@"
done
