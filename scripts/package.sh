#!/usr/bin/env bash
# Builds the Debian package build-pkg/tav1_VERSION_ARCH.deb: a Release build of the program
# alone (no tests, no benchmarks) installed under /usr, packed by CPack, then checked by lintian,
# which must report no errors, and by Debian's python3 importing the module from the unpacked
# package.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh lintian
cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAV1_TESTS=OFF -DTAV1_BENCH=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build build-pkg -j2
rm -f build-pkg/tav1_*.deb
(cd build-pkg && cpack -G DEB)
lintian --fail-on error build-pkg/tav1_*.deb
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x build-pkg/tav1_*.deb "$unpacked"
(cd "$unpacked" && PYTHONPATH="$unpacked/usr/lib/python3/dist-packages" /usr/bin/python3 -c \
    'import tav1; assert tav1.__file__.startswith("'"$unpacked"'"); print("tav1 module:", tav1.__file__)')
