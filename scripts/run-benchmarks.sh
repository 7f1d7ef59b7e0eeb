#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every benchmark of an already built tree and prints its figures:
#   scripts/run-benchmarks.sh <build-dir>
# With BENCH_SMOKE set (`make bench-smoke`) each runs on tiny sizes, only to see it runs.
# Builds nothing. Exits non-zero only when a benchmark is missing or could not run; the
# figures themselves never fail it.
set -u

if [ $# -ne 1 ]; then
    echo "usage: $0 <build-dir>" >&2
    exit 2
fi
build=$1
status=0

for bench in startup/bench_startup link/bench_link idle/bench_link_idle upgrade/bench_upgrade \
    chart/bench_chart range/bench_range export/bench_export \
    journal/bench_journal logger/bench_logger metrics/bench_metrics; do
    program="$build/bench/$bench"
    if [ ! -x "$program" ]; then
        echo "$program: not built" >&2
        status=1
        continue
    fi
    if ! "$program"; then
        echo "$program: could not run" >&2
        status=1
    fi
    echo
done
exit $status
