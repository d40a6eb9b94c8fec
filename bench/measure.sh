#!/usr/bin/env bash
# Reproduces the figures of the README's performance table on this machine: start-up to the
# window shown, CPU share of live readout and of a 0.1-s recording run, peak memory, and the
# medians of the benchmark suite. Everything runs against poruka-box on a pseudo-terminal,
# offscreen, with the sample data. CPU shares are CPU time (user + sys) over wall time, which
# other load on the machine distorts little.
#
#   bash bench/measure.sh            # 60-s runs (about three minutes in all)
#   MEASURE_SECONDS=10 bash bench/measure.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${BUILD_DIR:-build/default}
seconds=${MEASURE_SECONDS:-60}
startups=${MEASURE_STARTUPS:-15}

cmake --build "$build" --target poruka poruka-box poruka_bench poruka_record_harness >/dev/null
root=$PWD
program=$root/$build/poruka
harness=$root/$build/bench/poruka_record_harness
export QT_QPA_PLATFORM=offscreen

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
box_pid=
cleanup() {
  if [[ -n $box_pid ]]; then kill "$box_pid" 2>/dev/null || true; wait "$box_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/minute" "$work/tenth"
cp data/*.CSV data/VORUM.TXT "$work/minute/"
cp data/*.CSV "$work/tenth/"
printf 'Zikan=0\r\n' >"$work/tenth/VORUM.TXT"

"$root/$build/tools/virtual-box/poruka-box" --link "$work/tty" --data data --scenario room &
box_pid=$!
for _ in $(seq 100); do [[ -L $work/tty ]] && break; sleep 0.05; done
[[ -L $work/tty ]] || { echo "measure: the box did not start" >&2; exit 1; }

# /usr/bin/time -v fields of one run: user, sys, elapsed seconds and peak memory in kB.
time_fields() {
  awk -F': ' '/User time/ {u=$2} /System time/ {s=$2} /Maximum resident/ {m=$2}
              /Elapsed \(wall clock\)/ {n=split($2, p, ":"); e=0; for (i=1;i<=n;i++) e=e*60+p[i]}
              END {printf "%s %s %s %s\n", u, s, e, m}' "$1"
}

median() { sort -n | awk '{v[NR]=$1} END {m=(NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2; printf "%.0f\n", m}'; }

# Start-up ends when the window has been shown and painted: --screenshot renders it to a file
# as soon as the event loop runs.
echo "start-up: $startups runs of 'poruka --screenshot FILE --quit-after 0'" >&2
startup_ms=()
startup_rss=0
for _ in $(seq "$startups"); do
  begin=$(date +%s%N)
  (cd "$work/minute" && /usr/bin/time -v -o "$work/startup.time" "$program" --port "$work/tty" --screenshot "$work/shown.png" --quit-after 0)
  end=$(date +%s%N)
  startup_ms+=($(( (end - begin) / 1000000 )))
  read -r _ _ _ rss < <(time_fields "$work/startup.time")
  (( rss > startup_rss )) && startup_rss=$rss
done
startup_median=$(printf '%s\n' "${startup_ms[@]}" | median)
startup_max=$(printf '%s\n' "${startup_ms[@]}" | sort -n | tail -1)

# Live readout: the sample settings poll every 200 ms (minute mode), the 0.1-s mode every 64 ms.
live() {
  (cd "$work/$1" && /usr/bin/time -v -o "$work/live-$1.time" "$program" --port "$work/tty" --quit-after "$seconds")
  read -r user sys wall rss < <(time_fields "$work/live-$1.time")
  share=$(awk -v u="$user" -v s="$sys" -v e="$wall" 'BEGIN {printf "%.2f", 100*(u+s)/e}')
  echo "$share $user $sys $wall $rss"
}
echo "live readout: ${seconds} s, minute mode" >&2
read -r live_share live_user live_sys live_wall live_rss < <(live minute)
echo "live readout: ${seconds} s, 0.1-s mode" >&2
read -r live10_share live10_user live10_sys live10_wall live10_rss < <(live tenth)

echo "recording (0.1 s): ${seconds} s" >&2
(cd "$work/tenth" && /usr/bin/time -v -o "$work/record.time" "$harness" --port "$work/tty" --seconds "$seconds" >"$work/record.out")
read -r rec_cpu rec_wall rec_share rec_samples _ <"$work/record.out"
read -r rec_user rec_sys rec_total_wall rec_rss < <(time_fields "$work/record.time")
rec_process_share=$(awk -v u="$rec_user" -v s="$rec_sys" -v e="$rec_total_wall" 'BEGIN {printf "%.2f", 100*(u+s)/e}')

echo "benchmarks" >&2
"$root/$build/bench/poruka_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=csv 2>/dev/null >"$work/bench.csv"

peak=$(printf '%s\n' "$startup_rss" "$live_rss" "$live10_rss" "$rec_rss" | sort -n | tail -1)
cat <<TABLE
| Figure | Budget | Measured |
|---|---|---|
| Start-up to the window shown (median of $startups, wall incl. process exit; slowest) | < 300 ms | ${startup_median} ms (slowest ${startup_max} ms) |
| Live readout, minute mode (200-ms ticks), ${seconds} s (CPU / wall) | < 1 % of a core | ${live_share} % (${live_user} s user + ${live_sys} s sys over ${live_wall} s) |
| Live readout, 0.1-s mode (64-ms ticks), ${seconds} s (CPU / wall) | < 1 % of a core | ${live10_share} % (${live10_user} s user + ${live10_sys} s sys over ${live10_wall} s) |
| Recording at 0.1 s, ${seconds} s after Start (CPU / wall) | < 2 % of a core | ${rec_share} % (${rec_cpu} s over ${rec_wall} s, ${rec_samples} samples); whole process ${rec_process_share} % |
| Peak memory (max RSS of the runs above) | < 80 MB | $(( peak / 1024 )) MB (start-up $(( startup_rss / 1024 )), live $(( live_rss / 1024 )) and $(( live10_rss / 1024 )), recording $(( rec_rss / 1024 ))) |
TABLE
echo
echo "| Benchmark (median of 5) | Wall | CPU |"
echo "|---|---|---|"
awk -F, '$1 ~ /_median"?$/ {
  gsub(/"/, "", $1); sub(/_median$/, "", $1)
  f = ($5 == "ns") ? 0.001 : ($5 == "ms") ? 1000 : ($5 == "s") ? 1000000 : 1
  printf "| %s | %.2f µs | %.2f µs |\n", $1, $3 * f, $4 * f
}' "$work/bench.csv"
