#!/usr/bin/env bash
# Installs what is missing, builds Orvelle and runs every test. With --asan the
# suite is built and run under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
preset=dev
[ "${1:-}" = "--asan" ] && preset=asan
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" -j2
