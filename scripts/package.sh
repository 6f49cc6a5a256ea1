#!/usr/bin/env bash
# Builds the Debian package build-pkg/tav1_VERSION_ARCH.deb: a Release build of the program
# alone (no tests, no benchmarks) installed under /usr, packed by CPack, then checked by lintian,
# which must report no errors.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh lintian
cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAV1_TESTS=OFF -DTAV1_BENCH=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build build-pkg -j2
rm -f build-pkg/tav1_*.deb
(cd build-pkg && cpack -G DEB)
lintian --fail-on error build-pkg/tav1_*.deb
