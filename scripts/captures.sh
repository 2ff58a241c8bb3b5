#!/usr/bin/env bash
# Remakes the user guide's screenshots (docs/guide/images/*_fr.png, *_en.png)
# from the current program, offscreen; then the next build remakes the PDFs.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset dev >/dev/null
cmake --build --preset dev --target orvelle-captures
mkdir -p docs/guide/images
for lang in fr en; do
    QT_QPA_PLATFORM=offscreen build/dev/tools/captures/orvelle-captures \
        --donnees "$PWD/data" --langue "$lang" --sortie docs/guide/images
done
ls -l docs/guide/images
