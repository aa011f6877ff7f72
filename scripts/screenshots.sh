#!/usr/bin/env bash
# Renders the pictures in docs/ with the program's own --screenshot option, on Qt's offscreen
# platform: the idle window, the window after a demo run, and the dialogs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export QT_QPA_PLATFORM=offscreen MARVESSA_HOME="$home" MARVESSA_WINDOWS_DIR="$home/win"
shot() { "$build/marvessa" --screenshot "$@" 2>/dev/null; }

shot docs/window-idle.png
shot docs/options-general.png --dialog options --tab 0
shot docs/options-proxy.png --dialog options --tab 1
shot docs/options-engines.png --dialog options --tab 2
# The demo's customer list, reopened as the autosaved document of an interrupted run.
"$build/marvessa-cli" demo --sites 40 --save "$home/temp.mvx" >/dev/null 2>&1
shot docs/window-after-demo.png
shot docs/record-properties.png --dialog record
