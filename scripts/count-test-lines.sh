#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the non-blank lines of C++ (.cpp and .h) in tests/ and fuzz/ against all of the
# project's C++, and their share; counts tracked files only, so a build tree never counts.
#   scripts/count-test-lines.sh
set -eu
cd "$(dirname "$0")/.."

count() {
    git ls-files -- "$@" | grep -E '\.(cpp|h)$' | tr '\n' '\0' |
        xargs -0 -r cat | grep -c '[^[:space:]]' || true
}

tests=$(count tests fuzz)
all=$(count .)
echo "tests+fuzz: $tests of $all non-blank C++ lines ($(awk "BEGIN { printf \"%.1f\", 100 * $tests / $all }") %)"
