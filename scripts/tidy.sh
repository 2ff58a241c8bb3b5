#!/usr/bin/env bash
# clang-tidy over the project's sources with the checks of .clang-tidy, from a
# configured build's compile commands (default: build/dev). Files may be named;
# without names, every source file of src/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang-tidy
build="${ORVELLE_TIDY_BUILD:-build/dev}"
[ -f "$build/compile_commands.json" ] || { echo "tidy.sh: configure $build first" >&2; exit 2; }
if [ $# -gt 0 ]; then
    fichiers=("$@")
else
    mapfile -t fichiers < <(git ls-files 'src/*.cpp')
fi
sortie=$(mktemp)
trap 'rm -f "$sortie"' EXIT
# GCC's own warning options mean nothing to clang.
code=0
run-clang-tidy -quiet -p "$build" -j "$(nproc)" -extra-arg=-Wno-unknown-warning-option \
    "${fichiers[@]/#/$PWD/}" >"$sortie" 2>&1 || code=$?
grep -E -A3 '(warning|error): ' "$sortie" | grep -v -E '^(--|[0-9]+ warnings? (and [0-9]+ errors? )?generated)' || true
[ $code -eq 0 ] || echo "tidy.sh: clang-tidy found the faults above" >&2
exit $code
