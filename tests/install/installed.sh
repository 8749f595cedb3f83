#!/usr/bin/env bash
# "cmake --install" into a scratch prefix puts both programs, the desktop entry, the icon, the metainfo,
# the manual pages and the model document where a desktop and man(1) look for them, and the installed
# export tool runs from there, away from the source and build trees.
# Usage: installed.sh BUILD-DIR
set -euo pipefail
build="$1"
prefix="$(mktemp -d "${TMPDIR:-/tmp}/kelvora-install.XXXXXX")"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
status=0
for f in bin/kelvora bin/kelvora-export \
    share/applications/org.kelvora.Kelvora.desktop \
    share/icons/hicolor/scalable/apps/org.kelvora.Kelvora.svg \
    share/metainfo/org.kelvora.Kelvora.metainfo.xml \
    share/man/man1/kelvora.1.gz share/man/man1/kelvora-export.1.gz \
    share/doc/kelvora/model.md; do
    [ -s "$prefix/$f" ] || { echo "missing: $f"; status=1; }
done
[ -x "$prefix/bin/kelvora" ] && [ -x "$prefix/bin/kelvora-export" ] || { echo "programs not executable"; status=1; }
mkdir "$prefix/run" && cd "$prefix/run"
lines="$("$prefix/bin/kelvora-export" table | wc -l)"
[ "$lines" -eq 271 ] || { echo "installed kelvora-export table: $lines lines"; status=1; }
exit $status
