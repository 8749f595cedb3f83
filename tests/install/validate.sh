#!/usr/bin/env bash
# Checks one installed file with the tool its format has, and fails on anything the tool reports, down to
# hints: a desktop entry with desktop-file-validate, AppStream metainfo with appstreamcli, a manual page
# by formatting it with man's warnings on.
# Usage: validate.sh desktop|metainfo|manpage FILE
set -uo pipefail
kind="$1"
file="$2"
case "$kind" in
desktop)
    out="$(desktop-file-validate "$file" 2>&1)"
    status=$?
    ;;
metainfo)
    out="$(appstreamcli validate --no-net "$file" 2>&1)"
    status=$?
    # Errors fail by the exit status; warnings and remarks should not pass silently either.
    if grep -q '^[EWI]:' <<<"$out"; then status=1; fi
    out="$(grep '^[EWI]:' <<<"$out")"
    ;;
manpage)
    out="$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$file" 2>&1 >/dev/null)"
    status=$?
    ;;
*)
    echo "validate.sh: unknown kind '$kind'" >&2
    exit 2
    ;;
esac
if [ "$status" -ne 0 ] || [ -n "$out" ]; then
    echo "$kind check of $file failed (status $status):"
    echo "$out"
    exit 1
fi
