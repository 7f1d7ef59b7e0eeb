#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every libFuzzer target built in BUILD_DIR for SECONDS each, from a fixed seed, on a
# scratch copy of its seed corpus (fuzz/corpus/<name>/, which stays as committed). Any
# finding fails the run; the input that caused it is kept in BUILD_DIR/fuzz-findings/.
#     scripts/run-fuzzers.sh BUILD_DIR SECONDS
set -euo pipefail
build=${1:?build directory}
seconds=${2:?seconds per target}
root=$(cd "$(dirname "$0")/.." && pwd)
findings="$(cd "$build" && pwd)/fuzz-findings"
mkdir -p "$findings"
# The settings and CSV targets write a file per input; on tmpfs the settings file's
# synced writes cost nothing, six times the executions of a disk.
if [ -z "${TMPDIR:-}" ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failed=0
printf '%-16s %12s %10s\n' target executions exec/s
for fuzzer in "$build"/fuzz/*_fuzzer; do
    name=$(basename "$fuzzer" _fuzzer)
    corpus="$scratch/$name"
    mkdir -p "$corpus"
    cp "$root/fuzz/corpus/$name"/* "$corpus/"
    log="$scratch/$name.log"
    # A single input slower than 10 s counts as a finding (a hang).
    if ! "$fuzzer" -seed=1 -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$findings/$name-" "$corpus" >"$log" 2>&1; then
        echo "$name: FINDING"
        tail -n 40 "$log"
        failed=1
        continue
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    printf '%-16s %12s %10s\n' "$name" "$runs" "$speed"
done
exit $failed
