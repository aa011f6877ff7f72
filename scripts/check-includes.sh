#!/usr/bin/env bash
# Checks that the project's own includes follow the directions of docs/architecture.md.
# Prints each include that breaks them and exits 1 if there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# The layer of a file: its folder, with the Qt helpers every window uses apart from the base.
layer() {
  case "$1" in
    base/w*) echo base-window ;;
    *) echo "${1%%/*}" ;;
  esac
}

# The layers each layer may include besides itself.
allowed() {
  case "$1" in
    base) echo "" ;;
    base-window) echo "base" ;;
    net|power) echo "base" ;;
    engines) echo "base net" ;;
    options|search) echo "base net engines" ;;
    results) echo "base net engines search" ;;
    app) echo "base base-window net engines search results options power" ;;
    sandbox) echo "base net engines search" ;;
    cli) echo "base net engines search results options power app sandbox" ;;
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
    [[ $to == base-window && $unit == w* ]] && ok=1
    for a in $(allowed "$from"); do
      [ "$a" = "$to" ] && ok=1
    done
    [ $ok = 1 ] || { echo "$file ($from) includes $target ($to)"; status=1; }
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([a-z]*\/[^"]*\)".*/\1/p' "$file")
done < <(git ls-files 'base/*' 'app/*' 'net/*' 'engines/*' 'search/*' 'results/*' 'options/*' 'power/*' 'cli/*' 'sandbox/*' |
  grep -E '\.(cpp|h)$')
exit $status
