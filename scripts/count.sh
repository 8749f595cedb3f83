#!/usr/bin/env bash
# Lines of tests against lines of code: non-blank lines of the tracked .cpp and .h files that are not
# whole-line // comments. Tests are the files under tests/; code is every other file except bench/.
set -euo pipefail
cd "$(git -C "$(dirname "$0")" rev-parse --show-toplevel)"

count() {
    # Reads NUL-separated file names; prints the sum of their counted lines (awk reads each file on its
    # own, so a file without a final line end still counts its last line).
    xargs -0 -r awk '!/^[[:space:]]*$/ && !/^[[:space:]]*\/\// { n++ } END { print n + 0 }' |
        awk '{ sum += $1 } END { print sum + 0 }'
}

tests=$(git ls-files -z -- 'tests/*.cpp' 'tests/*.h' | count)
code=$(git ls-files -z -- '*.cpp' '*.h' ':!:tests/' ':!:bench/' | count)
echo "tests: $tests lines"
echo "code:  $code lines"
awk -v t="$tests" -v c="$code" 'BEGIN { if (c > 0) printf "tests/code: %.1f%%\n", 100 * t / c }'
