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
# The Python module against the C++ it binds, where it was built.
if compgen -G "build/python/tav1*.so" >/dev/null; then
    echo "== bench/python_bench.py"
    /usr/bin/python3 bench/python_bench.py build
fi
