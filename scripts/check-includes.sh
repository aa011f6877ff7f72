#!/usr/bin/env bash
# Checks that the project's own includes follow the directions of docs/architecture.md.
# Prints each include that breaks them and exits 1 if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# The layer of a file: its folder, with app/ split into its base units, the Qt helpers every
# window uses, and the main form and run controller above every subsystem.
layer() {
  case "$1" in
    app/wqttext.*|app/wdialogframe.*|app/wdialogs.*|app/wfonts.*) echo app-window-base ;;
    app/uMain.*|app/ucontroller.*|app/Main.cpp|app/w*) echo app-top ;;
    app/*) echo app-base ;;
    *) echo "${1%%/*}" ;;
  esac
}

# The layers each layer may include besides itself.
allowed() {
  case "$1" in
    app-base) echo "" ;;
    app-window-base) echo "app-base" ;;
    net) echo "app-base" ;;
    power) echo "app-base" ;;
    engines) echo "app-base net" ;;
    options) echo "app-base net engines" ;;
    search) echo "app-base net engines" ;;
    results) echo "app-base net engines search" ;;
    app-top) echo "app-base app-window-base net engines search results options power" ;;
    sandbox) echo "app-base net engines search" ;;
    cli) echo "app-base app-top net engines search results options power sandbox" ;;
  esac
}

status=0
while IFS= read -r file; do
  from=$(layer "$file")
  unit=$(basename "$file")
  while IFS= read -r target; do
    to=$(layer "$target")
    [ "$to" = "$from" ] && continue
    if [[ $unit == u* && $(basename "$target") == w* ]]; then
      echo "$file includes the window unit $target" && status=1 && continue
    fi
    ok=0
    [[ $to == app-window-base && $unit == w* ]] && ok=1
    for a in $(allowed "$from"); do
      [ "$a" = "$to" ] && ok=1
    done
    [ $ok = 1 ] || { echo "$file ($from) includes $target ($to)"; status=1; }
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z]*\/[^"]*\)".*/\1/p' "$file")
done < <(git ls-files 'app/*' 'net/*' 'engines/*' 'search/*' 'results/*' 'options/*' 'power/*' 'cli/*' 'sandbox/*' |
  grep -E '\.(cpp|h)$')
exit $status
