#!/bin/sh
# Runs a test program as the unprivileged user nobody, for tests of what file modes forbid (they do not
# bind the superuser). The program is copied to a folder of its own under /tmp first, so that the run
# does not depend on nobody being able to reach the build folder. Skipped (77) unless started as root.
# Usage: asnobody.sh SETPRIV PROGRAM [ARGUMENTS...]
[ "$(id -u)" = 0 ] || exit 77
setpriv=$1
program=$2
shift 2
dir=$(mktemp -d) || exit 1
trap 'rm -rf "$dir"' EXIT
chmod 755 "$dir" && cp "$program" "$dir/" || exit 1
cd "$dir" || exit 1
"$setpriv" --reuid=nobody --regid=nogroup --clear-groups "$dir/$(basename "$program")" "$@"
