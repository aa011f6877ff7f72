#!/usr/bin/env bash
# Whole search runs over the sandbox web, marvessa-cli and Scrapy side by side: the same start
# URLs, the same link rule, the same concurrency (12 and 48). Prints pages/s and addresses/s.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
sites=${SITES:-400}
home=$(mktemp -d)
sandbox_pid=""
cleanup() {
  [ -n "$sandbox_pid" ] && kill "$sandbox_pid" 2>/dev/null && wait "$sandbox_pid" 2>/dev/null
  rm -rf "$home"
}
trap cleanup EXIT

"$build/marvessa-cli" sandbox --sites "$sites" --engine-file "$home/Trovik.dat" --urls "$home/urls.txt" >/dev/null &
sandbox_pid=$!
for _ in $(seq 100); do [ -s "$home/urls.txt" ] && break; sleep 0.1; done

rate() { awk -v n="$1" -v s="$2" 'BEGIN { printf "%.0f", n / s }'; }

printf '%-9s %-8s %7s %9s %8s %9s %11s\n' crawler workers pages addresses seconds pages/s addresses/s
for workers in 12 48; do
  printf '[Rodideva Trovik]\r\nautoupdate=0\r\nautosave=0\r\nthdnumber=%s\r\n' "$workers" > "$home/Trovik.ini"
  start=$(date +%s.%N)
  "$build/marvessa-cli" --home "$home" search --import "$home/urls.txt" --export "$home/out.txt" 2> "$home/status.txt"
  seconds=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.2f", b - a }')
  pages=$(tr '\r' '\n' < "$home/status.txt" | grep -o '已搜索:[0-9]*' | tail -1 | cut -d: -f2)
  addresses=$(wc -l < "$home/out.txt")
  printf '%-9s %-8s %7s %9s %8s %9s %11s\n' marvessa "$workers" "$pages" "$addresses" "$seconds" \
    "$(rate "$pages" "$seconds")" "$(rate "$addresses" "$seconds")"
  read -r spages saddresses sseconds < <(/usr/bin/python3 bench/scrapy_crawl.py "$home/urls.txt" "$workers")
  printf '%-9s %-8s %7s %9s %8s %9s %11s\n' scrapy "$workers" "$spages" "$saddresses" "$sseconds" \
    "$(rate "$spages" "$sseconds")" "$(rate "$saddresses" "$sseconds")"
done
