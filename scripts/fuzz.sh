#!/usr/bin/env bash
# Runs the libFuzzer targets (fuzz/<name>.cpp, built by the asan preset as
# tevra_fuzz_<name>) from their seed corpora fuzz/corpus/<name>/.
#
#   scripts/fuzz.sh smoke            about 25 s for all targets together; new inputs are
#                                    thrown away (scripts/test.sh runs this)
#   scripts/fuzz.sh long [SECONDS]   each target SECONDS (default 600), keeping what it finds
#                                    in build/asan/fuzz-corpus/<name>/
#   scripts/fuzz.sh list             the targets
#
# A crash, sanitizer report, leak or hang (over 10 s for one input) stops the script with a
# failure; the input is kept in build/asan/fuzz-artifacts/.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-smoke}
build=build/asan
smoke_budget=25

mapfile -t names < <(find fuzz -maxdepth 1 -name '*.cpp' -printf '%f\n' | sed 's/\.cpp$//' | sort)
if ((${#names[@]} == 0)); then
    echo "No fuzz targets."
    exit 0
fi
if [ "$mode" = list ]; then
    printf '%s\n' "${names[@]}"
    exit 0
fi

[ -f "$build/CMakeCache.txt" ] || cmake --preset asan >/dev/null
targets=()
for n in "${names[@]}"; do targets+=("tevra_fuzz_$n"); done
cmake --build --preset asan -j2 --target "${targets[@]}"

case "$mode" in
    smoke)
        seconds=$((smoke_budget / ${#names[@]}))
        ((seconds >= 3)) || seconds=3
        ;;
    long)
        seconds=${2:-600}
        ;;
    *)
        echo "usage: scripts/fuzz.sh smoke | long [SECONDS] | list" >&2
        exit 2
        ;;
esac

artifacts=$build/fuzz-artifacts
mkdir -p "$artifacts"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

for n in "${names[@]}"; do
    seeds=fuzz/corpus/$n
    mkdir -p "$seeds"
    if [ "$mode" = long ]; then
        corpus=$build/fuzz-corpus/$n
    else
        corpus=$scratch/$n
    fi
    mkdir -p "$corpus"
    echo "== $n: ${seconds} s"
    "$build/fuzz/tevra_fuzz_$n" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/$n-" "$corpus" "$seeds" \
        2>"$scratch/$n.log" || {
        tail -n 60 "$scratch/$n.log" >&2
        echo "fuzz target $n failed; inputs in $artifacts/" >&2
        exit 1
    }
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$scratch/$n.log" | tr '\n' ' '
    echo
done
echo "Fuzzing passed."
