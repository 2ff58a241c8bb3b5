#!/usr/bin/env bash
# The figures of the picture path, in one run, against djpeg: builds the
# optimised orvelle-bench, makes photographs of 24, 45 and 100 megapixels in a
# temporary folder (none is stored with the sources) and measures each.
#   bash bench/mesure.sh [--repetitions N] [--processus N] [SIZE...]
# SIZE: 24, 45 or 100 (all three by default). README.md, "Benchmarks", says
# what each printed line is.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
options=()
tailles=()
while [ $# -gt 0 ]; do
    case "$1" in
        --repetitions|--processus) options+=("$1" "$2"); shift 2 ;;
        *) tailles+=("$1"); shift ;;
    esac
done
[ ${#tailles[@]} -eq 0 ] && tailles=(24 45 100)
cmake --preset release >/dev/null
cmake --build --preset release --target orvelle-bench orvelle >/dev/null
banc=build/release/bench/orvelle-bench
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
echo "# $(date -u +%Y-%m-%dT%H:%MZ) $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)"
echo "# djpeg: $(djpeg -version 2>&1 | head -1)"
for t in "${tailles[@]}"; do
    case "$t" in
        24) l=6000; h=4000 ;;
        45) l=8192; h=5504 ;;
        100) l=12288; h=8192 ;;
        *) echo "mesure.sh: size $t: 24, 45 or 100" >&2; exit 2 ;;
    esac
    photo="$dossier/photo$t.jpg"
    "$banc" --photo $l $h "$photo" 2>/dev/null
    echo "# $t MP ($l x $h, $(($(stat -c %s "$photo") / 1024)) KiB), load $(cut -d' ' -f1-3 /proc/loadavg)"
    "$banc" "$photo" "${options[@]}" 2>/dev/null
    echo "# load after: $(cut -d' ' -f1-3 /proc/loadavg)"
done
