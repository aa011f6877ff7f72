#!/usr/bin/env bash
# The search workers' crawl against its floor, the fastest plain client at the same concurrency:
# curl --parallel with a new connection per request. Both crawl the crawl benchmark's page set
# (5,000 pages on 1,000 loopback hosts), served by a process of its own, over http and https, so
# that each client's CPU and memory are its own process's. Prints per client pages/s, CPU per
# page (user and kernel), context switches per page and resident memory per parallel transfer
# beyond the first, then the workers' figures as ratios against curl's of the same run.
# The server runs on the last CPU and the clients on the others, as if it were another machine:
# a client's waits and its share of the CPU are then its own, whatever its threads' priority.
#   CONCURRENCY (48)  workers and parallel transfers
#   ROUNDS (3)        runs of each client at CONCURRENCY, alternating; the fastest is kept
#   COMPRESS=1        pages are sent compressed to clients that accept it (as the sandbox does)
#   SCHEMES           "http https" by default
# Hold the CPU lock around it: flock /tmp/marvessa-cpu.lock bench/crawl_floor.sh
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
concurrency=${CONCURRENCY:-48}
rounds=${ROUNDS:-3}
schemes=${SCHEMES:-http https}
tool="$build/bench/marvessa_crawl_tool"
dir=$(mktemp -d)
server=""
cleanup() {
  [ -n "$server" ] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT

cpus=$(nproc)
server_cpu=() client_cpu=()
if [ "$cpus" -gt 1 ]; then
  server_cpu=(taskset -c $((cpus - 1)))
  client_cpu=(taskset -c 0-$((cpus - 2)))
fi
"${server_cpu[@]}" "$tool" serve "$dir" ${COMPRESS:+--compress} &
server=$!
for _ in $(seq 600); do [ -s "$dir/https.txt" ] && break; sleep 0.1; done
[ -s "$dir/https.txt" ] || { echo "the page set was not served" >&2; exit 1; }

# The workers' request headers, so that the server does the same work for both. The status lines
# are counted from the headers on stdout: --write-out would have curl decode and print every
# certificate, which doubles its CPU over https.
curl_args=(-s --no-progress-meter -k --compressed -A "Mozilla/5.0 (Windows NT 10.0; Win64; x64)"
  -H "Accept: text/html,application/xhtml+xml,*/*;q=0.8" -H "Accept-Language: zh-CN,zh;q=0.9,en;q=0.8"
  -H "Connection: close" -D -)
for scheme in $schemes; do
  while read -r url; do printf 'url = "%s"\noutput = "/dev/null"\n' "$url"; done < "$dir/$scheme.txt" > "$dir/$scheme.curl"
done

# One run of a client: "seconds user_s kernel_s max_rss_kb context_switches pages".
run() {
  local client=$1 scheme=$2 n=$3 start end pages
  start=$(date +%s.%N)
  if [ "$client" = curl ]; then
    "${client_cpu[@]}" /usr/bin/time -f '%U %S %M %c %w' -o "$dir/time" curl --parallel --parallel-immediate --parallel-max "$n" \
      "${curl_args[@]}" -K "$dir/$scheme.curl" > "$dir/out"
    end=$(date +%s.%N)
    pages=$(grep -c '^HTTP/[0-9.]* 200' "$dir/out" || true)
  else
    "${client_cpu[@]}" /usr/bin/time -f '%U %S %M %c %w' -o "$dir/time" "$tool" workers "$dir/$scheme.txt" "$n" > "$dir/out"
    end=$(date +%s.%N)
    pages=$(awk '{ print $1 }' "$dir/out")
  fi
  read -r user kernel rss involuntary voluntary < "$dir/time"
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN { print b - a }') $user $kernel $rss $((involuntary + voluntary)) $pages"
}

# The fastest of several runs.
best() {
  local client=$1 scheme=$2 n=$3 k line fastest=""
  for k in $(seq "$rounds"); do
    line=$(run "$client" "$scheme" "$n")
    if [ -z "$fastest" ] || awk -v a="${line%% *}" -v b="${fastest%% *}" 'BEGIN { exit !(a < b) }'; then fastest=$line; fi
  done
  echo "$fastest"
}

printf '%-6s %-8s %5s %6s %8s %12s %9s %11s %8s %13s\n' scheme client n pages pages/s "cpu_us/page" "kernel%" "ctxsw/page" rss_mb "kb/transfer"
for scheme in $schemes; do
  declare -A figures=()
  for client in curl workers; do
    single=$(run "$client" "$scheme" 1)
    many=$(best "$client" "$scheme" "$concurrency")
    read -r seconds user kernel rss switches pages <<< "$many"
    rss1=$(echo "$single" | awk '{ print $4 }')
    figures[$client]=$(awk -v s="$seconds" -v u="$user" -v k="$kernel" -v r="$rss" -v r1="$rss1" -v c="$switches" \
      -v p="$pages" -v n="$concurrency" 'BEGIN { printf "%.0f %.1f %.0f %.2f %.1f %.0f", p / s, (u + k) / p * 1e6,
        100 * k / (u + k), c / p, r / 1024, (r - r1) / (n - 1) }')
    read -r rate cpu kernelShare perPage rssMb perTransfer <<< "${figures[$client]}"
    printf '%-6s %-8s %5s %6s %8s %12s %9s %11s %8s %13s\n' "$scheme" "$client" "$concurrency" "$pages" "$rate" "$cpu" \
      "$kernelShare" "$perPage" "$rssMb" "$perTransfer"
  done
  read -r wRate wCpu _ _ _ wKb <<< "${figures[workers]}"
  read -r cRate cCpu _ _ _ cKb <<< "${figures[curl]}"
  awk -v wr="$wRate" -v cr="$cRate" -v wc="$wCpu" -v cc="$cCpu" -v wk="$wKb" -v ck="$cKb" -v s="$scheme" 'BEGIN {
    printf "%-6s workers/curl: pages/s %.2f, CPU per page %.2f, memory per worker %.1f (%s vs %s KB)\n",
      s, wr / cr, wc / cc, (ck > 0 ? wk / ck : 0), wk, ck }'
done
