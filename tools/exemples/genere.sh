#!/usr/bin/env bash
# Rebuilds the sample pictures of data/exemples from GenereExemples.cpp (Qt 6 Gui).
set -euo pipefail
cd "$(dirname "$0")/../.."
sortie=$(mktemp -d)
trap 'rm -rf "$sortie"' EXIT
c++ -std=c++20 -O2 -fPIC tools/exemples/GenereExemples.cpp \
    $(pkg-config --cflags --libs Qt6Gui) -o "$sortie/genere"
QT_QPA_PLATFORM=offscreen "$sortie/genere" data/exemples
ls -l data/exemples/*.png
