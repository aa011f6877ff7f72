#!/usr/bin/env bash
# Runs the desktop program with --screenshot over a sandbox program folder: it starts, renders
# the window to a PNG file and ends through the shut-down sequence.
set -euo pipefail
program="$1"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export MARVESSA_HOME="$home" MARVESSA_WINDOWS_DIR="$home/win/"

printf '[Rodideva Trovik]\r\nthdnumber=9\r\n' > "$home/Trovik.ini"
timeout 60 "$program" --screenshot "$home/idle.png" --page 1 || fail "the program ended with an error"
[ "$(head -c 8 "$home/idle.png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "a PNG file is written"
grep -q 'thdnumber=9' "$home/Trovik.ini" || fail "the settings are kept"
grep -q 'autosave=1' "$home/Trovik.ini" || fail "the shut-down sequence saves every setting"

# A document named on the command line, relative to the working folder, is opened: it becomes
# the first recent file, by its full path.
mkdir -p "$home/docs"
printf '[qemosearchfile]\r\n' > "$home/docs/a.mvx"
for _ in $(seq 9); do printf '\r\n' >> "$home/docs/a.mvx"; done
(cd "$home" && timeout 60 "$program" --screenshot "$home/doc.png" ./docs/a.mvx) || fail "the program opens a document"
grep -q "filelist0=$home/docs/a.mvx" "$home/Trovik.ini" || fail "the document named on the command line is opened"
env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version | grep -qE '^marvessa [0-9]+\.[0-9]+\.[0-9]+$' || fail "--version without a display"
env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help | grep -q -- '--screenshot' || fail "--help on stdout"
echo "2 passed, 0 failed"
