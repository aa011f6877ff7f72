#!/usr/bin/env bash
# Checks that the project's own includes follow the directions of docs/architecture.md.
# Prints each include that breaks them and exits 1 if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# The layer of a file: its folder, with app/ split into its base units, the Qt helpers every
# window uses, and the main form above every subsystem.
layer() {
  case "$1" in
    app/wqttext.*|app/wdialogframe.*|app/wdialogs.*|app/wfonts.*) echo app-window-base ;;
    app/uMain.*|app/Main.cpp|app/w*) echo app-top ;;
    app/*) echo app-base ;;
    *) echo "${1%%/*}" ;;
  esac
}

# The layers each layer may include besides itself.
allowed() {
  case "$1" in
    app-base) echo "" ;;
    app-window-base) echo "app-base" ;;
    power) echo "app-base" ;;
    engines) echo "app-base search-net" ;;
    options) echo "app-base engines" ;;
    search) echo "app-base engines results" ;;
    results) echo "app-base engines search" ;;
    app-top) echo "app-base app-window-base engines search results options power" ;;
    sandbox) echo "app-base engines search" ;;
    cli) echo "app-base app-top engines search results options power sandbox" ;;
  esac
}

# The search units that are network and text infrastructure, which the engine update and engine
# records use.
is_search_net() {
  case "$1" in
    search/uhttp.h|search/utls.h|search/ucharset.h|search/uurl.h|search/upublicsuffix.h|search/uaddressrules.h) return 0 ;;
  esac
  return 1
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
    [ "$to" = search ] && is_search_net "$target" && to=search-net
    ok=0
    [[ $to == app-window-base && $unit == w* ]] && ok=1
    for a in $(allowed "$from"); do
      if [ "$a" = "$to" ] || { [ "$a" = search ] && [ "$to" = search-net ]; }; then ok=1; fi
    done
    [ $ok = 1 ] || { echo "$file ($from) includes $target ($to)"; status=1; }
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z]*\/[^"]*\)".*/\1/p' "$file")
done < <(git ls-files 'app/*' 'engines/*' 'search/*' 'results/*' 'options/*' 'power/*' 'cli/*' 'sandbox/*' |
  grep -E '\.(cpp|h)$')
exit $status
