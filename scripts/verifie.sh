#!/usr/bin/env bash
# Standing checks of the sources: every C++ file is clang-format clean, and
# the layers keep their direction (scripts/couches.py).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang-format
echec=0
if ! git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror 2>/tmp/orvelle-format.$$; then
    head -20 /tmp/orvelle-format.$$ >&2
    echo "verifie.sh: files above are not clang-format clean (clang-format -i <file>)" >&2
    echec=1
fi
rm -f /tmp/orvelle-format.$$
# The layers: each folder includes only what its library links, and the
# architecture page draws the graph of the CMake files.
python3 scripts/couches.py || echec=1
# OpenCV shows only in the outline engine's own .cpp files: its headers give
# plain C++ types, so no other part ever sees OpenCV.
if grep -rln '#include <opencv' src tests bench tools fuzz 2>/dev/null | grep -v '^src/contour/[^/]*\.cpp$'; then
    echo "verifie.sh: OpenCV is included outside src/contour/*.cpp" >&2
    echec=1
fi
exit $echec
