#!/usr/bin/env bash
# The desktop entry and the search document type: the entry is valid, declares
# the type the MIME package defines, and the MIME database maps .mvx files and the documents'
# first line to that type.
set -euo pipefail
app="$(dirname "$0")/../../app"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

entry="$app/marvessa.desktop"
problems=$(desktop-file-validate "$entry" 2>&1 | grep -v 'hint:' || true)
[ -z "$problems" ] || fail "the desktop entry is valid: $problems"
grep -q '^Exec=.* %f$' "$entry" || fail "the program is started with the file"

type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$app/marvessa-mime.xml")
grep -qx "MimeType=$type;" "$entry" || fail "the entry declares $type"

mkdir -p "$work/mime/packages"
cp "$app/marvessa-mime.xml" "$work/mime/packages/marvessa.xml"
problems=$(update-mime-database "$work/mime" 2>&1 | grep -iE 'error|warning|invalid|unknown' || true)
[ -z "$problems" ] || fail "the MIME package is valid: $problems"
grep -q ":$type:\*\.mvx$" "$work/mime/globs2" || fail "*.mvx is a $type"
grep -aq "$type" "$work/mime/magic" || fail "the first line identifies a $type"
echo "1 passed, 0 failed"
