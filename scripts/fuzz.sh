#!/bin/bash
# Builds the libFuzzer targets with clang and runs each for a given time.
#
#   scripts/fuzz.sh SECONDS [TARGET...]     (default: every target)
#
# Inputs go up to 1 MiB, so that faults only long inputs reach are found.
# Seeds come from the tests' own data files; new inputs and any crash,
# leak or timeout go to fuzz-out/TARGET/. Prints executions and coverage
# for each target at its end.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
seconds=${1:?usage: fuzz.sh SECONDS [TARGET...]}
shift

for p in clang libclang-rt-14-dev libomp-14-dev; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
        { apt-get update && apt-get install -y --no-install-recommends clang libclang-rt-14-dev libomp-14-dev; break; }
done

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    mapfile -t targets < <(sed -n 's/^add_fuzz_target(\([a-z_0-9]*\) .*/\1/p' fuzz/CMakeLists.txt)
fi
# Several runs of this script may share build-fuzz/: only the build is serialised.
mkdir -p build-fuzz
(
    flock 9
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTCW_FUZZ=ON -DTCW_BUILD_GUI=OFF \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"
) 9>build-fuzz/.build-lock

# Seed files for one target, from the tests' data.
seeds() {
    case "$1" in
    fuzz_c45_output|fuzz_tree_text|fuzz_tree_nodes) find tests/c45/data -type f ;;
    fuzz_markup) find tests -name '*.xml' -size -20k; find fuzz/seeds/markup -type f ;;
    fuzz_tpp) find tests/corpus/data fuzz/seeds/tpp -name '*.tpp' ;;
    fuzz_stop_words) find tests/corpus/data -name '*stop*' ;;
    esac 2>/dev/null
}

for target in "${targets[@]}"; do
    out=fuzz-out/$target
    mkdir -p "$out/corpus" "$out/seeds"
    seeds "$target" | while read -r f; do cp -f "$f" "$out/seeds/$(echo "$f" | tr / _)"; done
    if [ "$target" = fuzz_learner_input ]; then
        # Its input is a names file, a NUL byte and a data file.
        for names in $(find tests/learner/data -name '*.names'); do
            { cat "$names"; printf '\0'; cat "${names%.names}.data" 2>/dev/null || true; } \
                >"$out/seeds/$(echo "$names" | tr / _)"
        done
    fi
    echo "== $target: $seconds s"
    build-fuzz/fuzz/$target "$out/corpus" "$out/seeds" -max_total_time="$seconds" \
        -max_len=1048576 -rss_limit_mb=4096 -timeout=10 -print_final_stats=1 -artifact_prefix="$out/" \
        >"$out/log.txt" 2>&1 || { echo "   FINDING, see $out/log.txt"; }
    grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$out/log.txt" | tail -n 2 | sed 's/^/   /'
done
