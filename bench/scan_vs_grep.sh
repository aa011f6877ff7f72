#!/usr/bin/env bash
# The whole `marvessa-cli scan` of a 30 MB page beside `grep -oE` and `rg -o` with a plain e-mail
# pattern over the same file. The page is the UTF-8 corpus pages one after the other. Prints the
# best of three runs of each and the scan's time as a ratio to each of the others.
# Needs ripgrep (scripts/setup.sh installs it); run it under the CPU lock.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
megabytes=${MEGABYTES:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

utf8_pages=$(grep -lis 'charset=["'"'"']*utf-8' sandbox/corpus/*.htm)
: > "$work/page.htm"
while [ "$(stat -c %s "$work/page.htm")" -lt $((megabytes * 1024 * 1024)) ]; do
  # shellcheck disable=SC2086
  cat $utf8_pages >> "$work/page.htm"
done
truncate -s $((megabytes * 1024 * 1024)) "$work/page.htm"
printf '[Rodideva Trovik]\r\nautoupdate=0\r\n' > "$work/Trovik.ini"

pattern='[A-Za-z0-9._%+-]+@[A-Za-z0-9.-]+\.[A-Za-z]{2,}'
best() {
  local best_seconds=""
  for _ in 1 2 3; do
    local start end seconds
    start=$(date +%s.%N)
    "$@" > "$work/out.txt"
    end=$(date +%s.%N)
    seconds=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')
    if [ -z "$best_seconds" ] || awk -v s="$seconds" -v b="$best_seconds" 'BEGIN { exit !(s < b) }'; then
      best_seconds=$seconds
    fi
  done
  echo "$best_seconds"
}

scan=$(best "$build/marvessa-cli" --home "$work" scan --url http://127.0.0.1/page.htm "$work/page.htm")
scan_found=$(grep -c '^email' "$work/out.txt" || true)
grep_seconds=$(LC_ALL=C best grep -oE "$pattern" "$work/page.htm")
grep_found=$(sort -u "$work/out.txt" | wc -l)
rg_seconds=$(best rg -o "$pattern" "$work/page.htm")
rg_found=$(sort -u "$work/out.txt" | wc -l)

printf '%-22s %8s %18s\n' "on a ${megabytes} MB page" seconds "distinct addresses"
printf '%-22s %8s %18s\n' "marvessa-cli scan" "$scan" "$scan_found"
printf '%-22s %8s %18s\n' "grep -oE" "$grep_seconds" "$grep_found"
printf '%-22s %8s %18s\n' "rg -o" "$rg_seconds" "$rg_found"
awk -v s="$scan" -v g="$grep_seconds" -v r="$rg_seconds" \
  'BEGIN { printf "scan time / grep time = %.2f, scan time / rg time = %.2f\n", s / g, s / r }'
