#!/usr/bin/env bash
# Checks a built kelvora .deb as an administrator would meet it: its control fields, the unpacked
# programs running on their own (no library path from the build), and lintian without errors.
# Usage: tests/install/deb.sh PACKAGE.deb
set -uo pipefail
deb="$(realpath "$1")"
work="$(mktemp -d "${TMPDIR:-/tmp}/kelvora-deb.XXXXXX")"
trap 'rm -rf "$work"' EXIT
status=0
fail() {
    echo "FAILED: $*"
    status=1
}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kelvora ] || fail "package name '$(field Package)'"
[ "$(field Section)" = science ] || fail "section '$(field Section)'"
[[ "$(field Depends)" == *libqt6widgets6* ]] || fail "dependencies '$(field Depends)'"
[ "$(field Description | wc -l)" -gt 3 ] || fail "no long description"

dpkg-deb -x "$deb" "$work/root" || fail "cannot unpack"
mkdir "$work/run" && cd "$work/run"
version="$(env -u LD_LIBRARY_PATH "$work/root/usr/bin/kelvora-export" --version)"
[ "$version" = "kelvora-export $(field Version)" ] || fail "unpacked kelvora-export --version: '$version'"
lines="$(env -u LD_LIBRARY_PATH "$work/root/usr/bin/kelvora-export" table | wc -l)"
[ "$lines" -eq 271 ] || fail "unpacked kelvora-export table: $lines lines"
[ -z "$(ls -A "$work/run")" ] || fail "kelvora-export table left a file"

# Errors fail; warnings are shown (lintian's own note on running as root is not one of them).
report="$(lintian --fail-on error "$deb" 2>&1)" || fail "lintian reports errors"
grep -v 'running with root privileges' <<<"$report"

[ "$status" -eq 0 ] && echo "package $(basename "$deb"): all checks passed"
exit $status
