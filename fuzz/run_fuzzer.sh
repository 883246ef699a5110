#!/usr/bin/env bash
# Runs the fuzzer for a bounded time over the seed corpus; new inputs go to the build folder.
#   run_fuzzer.sh FUZZER SECONDS SEED_CORPUS DICTIONARY WORK_FOLDER
set -euo pipefail
fuzzer=$1 seconds=$2 seeds=$3 dictionary=$4 work=$5
mkdir -p "$work/corpus" "$work/artifacts"
exec "$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -dict="$dictionary" \
    -artifact_prefix="$work/artifacts/" -max_len=512 "$work/corpus" "$seeds"
