#!/usr/bin/env bash
# Lines of tests against lines of code: non-blank lines of the tracked .cpp, .h, .sh, .py, .js and .mjs files
# that are not whole-line comments (// in C-like files, # in shell and Python). Tests are the files under
# tests/; code is every other file except bench/ and fuzz/.
set -euo pipefail
cd "$(git -C "$(dirname "$0")" rev-parse --show-toplevel)"

# Reads NUL-separated file names; prints the sum of their counted lines with the given comment pattern.
count() {
    xargs -0 -r awk -v c="$1" '!/^[[:space:]]*$/ && $0 !~ c { n++ } END { print n + 0 }' |
        awk '{ sum += $1 } END { print sum + 0 }'
}
slashes='^[[:space:]]*//'
hashes='^[[:space:]]*#'
total() {
    local where=("$@")
    echo $(($(git ls-files -z -- "${where[@]/%//*.cpp}" "${where[@]/%//*.h}" "${where[@]/%//*.js}" "${where[@]/%//*.mjs}" | count "$slashes") + \
        $(git ls-files -z -- "${where[@]/%//*.sh}" "${where[@]/%//*.py}" | count "$hashes")))
}
tests=$(total tests)
code=$(($(git ls-files -z -- '*.cpp' '*.h' '*.js' '*.mjs' ':!:tests/' ':!:bench/' ':!:fuzz/' | count "$slashes") +
    $(git ls-files -z -- '*.sh' '*.py' ':!:tests/' ':!:bench/' ':!:fuzz/' | count "$hashes")))
echo "tests: $tests lines"
echo "code:  $code lines"
awk -v t="$tests" -v c="$code" 'BEGIN { if (c > 0) printf "tests/code: %.1f%%\n", 100 * t / c }'
