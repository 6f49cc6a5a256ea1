#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each for SECONDS seconds
# (default 60), one after another, on a copy of its seed corpus in build-fuzz/corpus/, so the
# corpus in fuzz/corpus/ stays small. Exits non-zero when any target reports a fault; the
# input that caused it is saved in build-fuzz/artifacts/.
# Usage: scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
targets=(fuzz_profile fuzz_pointfile fuzz_integration fuzz_dataexchange fuzz_bitmap fuzz_script fuzz_occupancy)

./scripts/deps.sh clang libclang-rt-14-dev
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DTAV1_FUZZ=ON \
    -DTAV1_TESTS=OFF -DTAV1_BENCH=OFF >/dev/null
cmake --build build-fuzz -j2 --target "${targets[@]}"

export QT_QPA_PLATFORM=offscreen
mkdir -p build-fuzz/artifacts
status=0
for target in "${targets[@]}"; do
    corpus="build-fuzz/corpus/$target"
    mkdir -p "$corpus"
    cp -n fuzz/corpus/"$target"/* "$corpus"/
    options=(-max_total_time="$seconds" -timeout=10 -artifact_prefix="build-fuzz/artifacts/$target-")
    if [ "$target" = fuzz_bitmap ]; then
        # Images stay small; the target decodes up to 256 MB of pixels.
        options+=(-max_len=65536 -rss_limit_mb=2048)
    fi
    log="build-fuzz/$target.log"
    if "build-fuzz/fuzz/$target" "${options[@]}" "$corpus" >"$log" 2>&1; then
        echo "$target: $(grep -E '^Done [0-9]+ runs' "$log" | tail -n 1)"
    else
        echo "$target: FAULT (log: $log)"
        grep -E '^(==[0-9]+==|SUMMARY|artifact_prefix)|check failed|runtime error' "$log" | head -n 20 || true
        status=1
    fi
done
exit "$status"
