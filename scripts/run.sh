#!/usr/bin/env bash
# Installs what is missing, builds Orvelle and starts it on the bundled sample image.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target orvelle
exemple=()
[ -f data/exemples/spores.png ] && exemple=(data/exemples/spores.png)
exec build/release/src/orvelle "${exemple[@]}" "$@"
