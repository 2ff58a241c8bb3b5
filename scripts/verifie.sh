#!/usr/bin/env bash
# Standing checks of the sources: every C++ file is clang-format clean, and
# the layers keep their direction (the core's subsystems never reach up into
# app/, which composes them).
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
# Subsystems below app/. A folder joins the list once its state is its own.
for dossier in base interface platform colour images measure calibration results acquisition annotation; do
    [ -d "src/$dossier" ] || continue
    if grep -rn '#include "\(app\|gui\|cli\)/' "src/$dossier"; then
        echo "verifie.sh: src/$dossier includes a layer above it" >&2
        echec=1
    fi
done
# Measuring from the picture stands apart: it includes nothing of the program
# but itself and base/, and OpenCV shows only in its own .cpp files (its
# headers give plain C++ types, so no other part ever sees OpenCV).
if [ -d src/contour ]; then
    if grep -rn '#include "' src/contour | grep -v '#include "\(contour\|base\)/'; then
        echo "verifie.sh: src/contour includes another part of the program" >&2
        echec=1
    fi
fi
if grep -rln '#include <opencv' src tests bench tools fuzz 2>/dev/null | grep -v '^src/contour/[^/]*\.cpp$'; then
    echo "verifie.sh: OpenCV is included outside src/contour/*.cpp" >&2
    echec=1
fi
exit $echec
