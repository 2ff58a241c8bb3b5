#!/usr/bin/env bash
# Builds the parsers' libFuzzer targets (preset "fuzz": clang, ASan + UBSan)
# and runs each one in turn on its seed corpus from tests/data/<format>/.
#   scripts/fuzz.sh            every target for 30 s (what CI runs)
#   scripts/fuzz.sh 600        the long run: 10 minutes a target
#   scripts/fuzz.sh 600 trame  one target only
# New inputs go to build/fuzz/corpus/<target>/ (kept between runs); a finding
# stops the run with the target's report and the input that caused it
# (build/fuzz/findings/). One job at a time: the machine is shared.
set -euo pipefail
cd "$(dirname "$0")/.."
secondes="${1:-30}"
seul="${2:-}"
bash scripts/deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
# target:seed folder
cibles=(parametres:parametres langue:langue calibrage:calibrage trame:trame csv:csv
        entete_image:images)
mkdir -p build/fuzz/findings
for c in "${cibles[@]}"; do
    nom="${c%%:*}"
    graines="tests/data/${c##*:}"
    [ -n "$seul" ] && [ "$seul" != "$nom" ] && continue
    corpus="build/fuzz/corpus/$nom"
    mkdir -p "$corpus"
    echo "== fuzz_$nom: ${secondes} s"
    journal="build/fuzz/fuzz_$nom.log"
    if ! build/fuzz/fuzz/fuzz_"$nom" -max_total_time="$secondes" -max_len=65536 \
            -rss_limit_mb=2048 -print_final_stats=1 \
            -artifact_prefix=build/fuzz/findings/"$nom"- "$corpus" "$graines" >"$journal" 2>&1; then
        tail -n 40 "$journal"
        echo "fuzz_$nom: finding (see $journal and build/fuzz/findings/)" >&2
        exit 1
    fi
    grep -E "^stat::number_of_executed_units|^stat::average_exec_per_sec|DONE" "$journal" || true
done
