#!/bin/bash
# Times the corpus side of the workbench with tcw: parse, word selection and
# C4.5 export, without and with stemming, on the default corpus or any folder
# of .xml document files. Each configuration runs RUNS times (default 3) and
# the fastest run is reported, in wall-clock and processor seconds (on a busy
# machine the processor time shows the work apart from the waiting).
#
#   bench/corpus-bench.sh [FOLDER [MIN_DF [RUNS]]]
#
# FOLDER defaults to workspace/xml (built by scripts/make-default-corpus.sh
# when missing); MIN_DF (default 5) is the selection threshold, which sets the
# size of the exported file set. For the whole of WordNet (about 117,000
# documents, 17 MB) build a folder with scripts/make-default-corpus.sh DIR 1.
# Parse and selection rates are corpus megabytes per second, the export rate
# is megabytes of file set written per second.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
folder=${1:-$top/workspace/xml}
min_df=${2:-5}
runs=${3:-3}

if [ ! -d "$folder" ] && [ $# -eq 0 ]; then
    "$top/scripts/make-default-corpus.sh" "$folder" >&2
fi
[ -d "$folder" ] || { echo "no folder $folder" >&2; exit 1; }
tcw=$(find "$top/build" -name tcw -type f -perm -u+x 2>/dev/null | head -n 1)
[ -n "$tcw" ] || { echo "tcw has not been built (scripts/build.sh)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
corpus_bytes=$(find "$folder" -maxdepth 1 -name '*.xml' -type f -printf '%s\n' | awk '{s += $1} END {print s + 0}')
files=$(find "$folder" -maxdepth 1 -name '*.xml' -type f | wc -l)

printf 'corpus %s: %d files, %.2f MB; min-df %d; best of %d runs\n' \
    "$folder" "$files" "$(awk -v b="$corpus_bytes" 'BEGIN {print b / 1e6}')" "$min_df" "$runs"
printf '%-9s %-7s %9s %9s %10s %9s %8s %8s %9s %9s\n' stemming phase documents words \
    attributes MB 'wall s' 'cpu s' 'MB/s wall' 'MB/s cpu'

for stemming in off on; do
    flag=()
    [ "$stemming" = on ] && flag=(--stemming)
    best=""
    for ((run = 1; run <= runs; run++)); do
        rm -f "$work"/set.*
        "$tcw" export --dir "$folder" --stem "$work/set" --min-df "$min_df" "${flag[@]}" --timing \
            >"$work/stdout" 2>"$work/times"
        set_bytes=$(cat "$work"/set.info "$work"/set.names "$work"/set.data "$work"/set.test | wc -c)
        # One line per phase: phase wall cpu; keep the fastest wall time of each.
        best=$(printf '%s\n%s\n' "$best" "$(awk '/^time / {print $2, $3, $4}' "$work/times")" |
            awk 'NF == 3 { if (!($1 in w) || $2 < w[$1]) { w[$1] = $2; c[$1] = $3 } }
                 END { for (p in w) print p, w[p], c[p] }')
    done
    tr -d '\r' <"$work/stdout" | awk -v stemming="$stemming" -v corpus="$corpus_bytes" \
        -v set="$set_bytes" -v best="$best" '
        /^Ukupan broj train dokumenata:/ && train == "" { train = $NF }
        /^Ukupan broj test dokumenata:/ && test == "" { test = $NF }
        /^Ukupan broj razlicitih rijeci:/ { count[++n] = $NF }
        END {
            split(best, lines, "\n")
            for (i in lines) { split(lines[i], f, " "); wall[f[1]] = f[2]; cpu[f[1]] = f[3] }
            documents = train + test; words = count[1]; attributes = count[n]
            split("parse select export", phases, " ")
            for (k = 1; k <= 3; k++) {
                phase = phases[k]
                mb = corpus / 1e6
                if (phase == "export")
                    mb = set / 1e6
                printf "%-9s %-7s %9d %9d %10d %9.2f %8.3f %8.3f %9.1f %9.1f\n", stemming, phase,
                    documents, words, attributes, mb, wall[phase], cpu[phase],
                    rate(mb, wall[phase]), rate(mb, cpu[phase])
            }
        }
        function rate(mb, seconds) {
            return seconds > 0 ? mb / seconds : 0
        }'
done
