#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz") and fuzzes each for a while.
#
#   PALABRUM_FUZZ_SECONDS=60 scripts/fuzz.sh    # default 15 seconds a target
#
# Each target starts from the seeds in fuzz/corpus/NAME, copied into
# build/fuzz/work/NAME; what the fuzzer finds stays there and carries over to
# the next run (delete the directory to start afresh). The seeds in the
# repository change only through fuzz/make_seeds.py, fuzz/make_picture_seeds.py,
# fuzz/make_meeting_seeds.py or by hand. A crashing
# input is saved under build/fuzz/crashes/NAME/ and the script exits non-zero.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

seconds=${PALABRUM_FUZZ_SECONDS:-15}
targets=(state_file word_list picture start_request meeting_message)
build=build/fuzz

cmake --preset fuzz
cmake --build --preset fuzz

failed=()
for name in "${targets[@]}"; do
    work=$build/work/$name
    crashes=$build/crashes/$name
    log=$build/work/$name.log
    mkdir -p "$work" "$crashes"
    cp fuzz/corpus/"$name"/* "$work"/

    echo "fuzzing $name for ${seconds}s ..."
    status=0
    # -max_len reaches past the word-list reader's 4096-byte block; the
    # limits keep a runaway allocation a finding instead of a dead machine:
    # no input of ours needs a single block over 16 MiB (the largest seen is
    # well under 100 KiB).
    "$build/fuzz/fuzz_$name" \
        -max_total_time="$seconds" \
        -max_len=12288 \
        -timeout=10 \
        -rss_limit_mb=2048 \
        -malloc_limit_mb=16 \
        -dict="fuzz/$name.dict" \
        -artifact_prefix="$crashes/" \
        -print_final_stats=1 \
        "$work" >"$log" 2>&1 || status=$?

    # libFuzzer ends a clean run with "Done N runs in S second(s)".
    done_line=$(grep -E '^Done [0-9]+ runs in [0-9]+ second' "$log" | tail -n 1 || true)
    corpus_size=$(find "$work" -type f | wc -l)
    if [[ $status -eq 0 && -n $done_line ]]; then
        read -r runs secs < <(sed -E 's/^Done ([0-9]+) runs in ([0-9]+) second.*/\1 \2/' <<<"$done_line")
        rate=$(( runs / (secs > 0 ? secs : 1) ))
        echo "$name: $runs runs in ${secs}s, $rate exec/s, corpus $corpus_size inputs"
    else
        echo "$name: FAILED (exit $status); log: $log" >&2
        tail -n 40 "$log" >&2
        ls -1 "$crashes" >&2 || true
        failed+=("$name")
    fi
done

if (( ${#failed[@]} > 0 )); then
    echo "fuzzing found problems in: ${failed[*]}" >&2
    exit 1
fi
echo "all fuzz targets ran clean"
