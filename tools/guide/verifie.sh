#!/usr/bin/env bash
# Checks that a PDF guide reads as text and holds the title of every chapter
# given: verifie.sh guide.pdf chapitre1.md chapitre2.md ...
set -euo pipefail
pdf=$1
shift
texte=$(pdftotext -enc UTF-8 "$pdf" - | tr -s '[:space:]' ' ')
manque=0
for chapitre in "$@"; do
    titre=$(sed -n 's/^# //p' "$chapitre" | head -n 1)
    if [ -z "$titre" ]; then
        echo "verifie.sh: $chapitre has no chapter title" >&2
        manque=1
    elif ! grep -qF -- "$titre" <<<"$texte"; then
        echo "verifie.sh: \"$titre\" is missing from $pdf" >&2
        manque=1
    fi
done
exit $manque
