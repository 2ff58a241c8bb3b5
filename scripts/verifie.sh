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
exit $echec
