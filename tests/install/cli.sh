#!/usr/bin/env bash
# The command lines of both programs as a shell sees them: help and version without a display, one line
# and status 2 for a bad argument, and --config choosing the window's settings file.
# Usage: cli.sh KELVORA KELVORA-EXPORT VERSION
set -uo pipefail
kelvora="$(realpath "$1")"
export_tool="$(realpath "$2")"
version="$3"
work="$(mktemp -d "${TMPDIR:-/tmp}/kelvora-cli.XXXXXX")"
app_pid=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

# Runs a command with no display at all (a window would fail to open), in the scratch folder; sets
# status, out and err.
run() {
    (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$@" >"$work/out" 2>"$work/err")
    status=$?
    out="$(cat "$work/out")"
    err="$(cat "$work/err")"
}

run "$kelvora" --help
[ "$status" -eq 0 ] && [ -z "$err" ] || fail "kelvora --help: status $status, stderr '$err'"
[[ "$out" == "Usage: kelvora [--config FILE]"* ]] || fail "kelvora --help: usage '$out'"
grep -q -- '--version' <<<"$out" || fail "kelvora --help does not list --version"

run "$kelvora" --version
[ "$status" -eq 0 ] && [ "$out" = "kelvora $version" ] || fail "kelvora --version: status $status, '$out'"
run "$export_tool" --version
[ "$status" -eq 0 ] && [ "$out" = "kelvora-export $version" ] || fail "kelvora-export --version: '$out'"

for bad in "-x" "--config" "--config=" "stray" "--bogus"; do
    run "$kelvora" $bad
    [ "$status" -eq 2 ] || fail "kelvora $bad: status $status, not 2"
    [ -z "$out" ] && [ "$(wc -l <"$work/err")" -eq 1 ] || fail "kelvora $bad: stdout '$out', stderr '$err'"
    [[ "$err" == "kelvora: "* ]] || fail "kelvora $bad: '$err'"
done
# The last one's whole message.
[ "$err" = "kelvora: unknown option '--bogus' (kelvora --help lists the options)" ] || fail "message '$err'"
[ -z "$(ls -A "$work" | grep -v '^out$\|^err$')" ] || fail "help, version or a bad argument left a file"

# The window's first start writes the chosen file, and nothing in the working directory. The name is
# bytes that are not UTF-8: it is kept exactly, not decoded into another name.
mkdir "$work/home"
chosen="$work/caf"$'\xe9'".ini"
(cd "$work/home" && QT_QPA_PLATFORM=offscreen exec "$kelvora" --config "$chosen" \
    >/dev/null 2>&1) &
app_pid=$!
timeout 20 sh -c 'until [ -s "$1" ]; do sleep 0.2; done' sh "$chosen" ||
    fail "kelvora --config did not write the chosen file"
[ ! -e "$work/caf"$'\xef\xbf\xbd'".ini" ] || fail "kelvora --config wrote a decoded name"
grep -q '^ 6.00' "$chosen" || fail "the chosen file does not hold the defaults"
[ -z "$(ls -A "$work/home")" ] || fail "kelvora --config left a file in the working directory"

[ "$failures" -eq 0 ] || exit 1
echo "command lines: all checks passed"
