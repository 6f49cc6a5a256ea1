#!/usr/bin/env bash
# Installs what is missing, builds, and starts TAV1 in example/ (a sample map and tav.ini).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/deps.sh
./scripts/build.sh

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found (DISPLAY is not set). To run TAV1 under Xvfb instead:" >&2
    echo "  apt-get install -y xvfb && Xvfb :99 & DISPLAY=:99 ./scripts/run.sh" >&2
    exit 1
fi
cd example
exec ../build/tav1 "$@"
