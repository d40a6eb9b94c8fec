#!/usr/bin/env bash
# Reproduces the figures of the README's performance table on this machine: start-up to the
# window shown, CPU share of live readout in both modes and of a 0.1-s recording run, peak
# memory, and the medians of the benchmark suite. Everything runs against poruka-box on a
# pseudo-terminal with the sample data, twice over: offscreen, and in a real window on a
# virtual X server (Xvfb 1280x800x24, no window manager), where repainting and the X server's
# round trips cost what a classroom PC pays. CPU shares are CPU time (user + sys, every thread)
# over wall time, taken after a warm-up, which other load on the machine distorts little.
# A reference row measures a bare Qt window that makes a 0.1-s recording's events (the same
# requests, reads, writes and repaints) without the program's work: what Qt, the X server and
# this machine cost for that pattern alone, at the same hour as the program's figures.
#
#   bash bench/measure.sh                        # 60-s runs after 15 s, two rounds (~25 min)
#   MEASURE_SECONDS=20 MEASURE_ROUNDS=1 bash bench/measure.sh
#   MEASURE_PLATFORMS=xcb bash bench/measure.sh  # the real window only
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${BUILD_DIR:-build/default}
seconds=${MEASURE_SECONDS:-60}
warm_up=${MEASURE_WARMUP:-15}
rounds=${MEASURE_ROUNDS:-2}
startups=${MEASURE_STARTUPS:-15}
platforms=${MEASURE_PLATFORMS:-offscreen xcb}

bash scripts/setup.sh
cmake --build "$build" --target poruka poruka-box poruka_bench poruka_measure_harness >/dev/null
root=$PWD
program=$root/$build/poruka
harness=$root/$build/bench/poruka_measure_harness

work=$(mktemp -d)
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
box_pid=
xvfb_pid=
cleanup() {
  for pid in $box_pid $xvfb_pid; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
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

if [[ " $platforms " == *" xcb "* ]]; then
  # A display of our own: Xvfb picks a free number and writes it to the descriptor.
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
  [[ -s $work/display ]] || { echo "measure: Xvfb did not start" >&2; exit 1; }
  xcb_display=:$(head -1 "$work/display")
fi

# Runs a command on a platform: offscreen, or in a real window on the Xvfb display.
on_platform() {
  local platform=$1; shift
  if [[ $platform == xcb ]]; then
    env QT_QPA_PLATFORM=xcb DISPLAY="$xcb_display" "$@"
  else
    env QT_QPA_PLATFORM=offscreen "$@"
  fi
}

# /usr/bin/time -v fields of one run: elapsed seconds and peak memory in kB.
time_fields() {
  awk -F': ' '/Maximum resident/ {m=$2}
              /Elapsed \(wall clock\)/ {n=split($2, p, ":"); e=0; for (i=1;i<=n;i++) e=e*60+p[i]}
              END {printf "%s %s\n", e, m}' "$1"
}

median() { sort -n | awk '{v[NR]=$1} END {m=(NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2; printf "%.0f\n", m}'; }

# Start-up ends when the window has been shown and painted: --screenshot renders it to a file
# as soon as the event loop runs.
echo "start-up: $startups runs of 'poruka --screenshot FILE --quit-after 0', offscreen" >&2
startup_ms=()
peak_rss=0
for _ in $(seq "$startups"); do
  begin=$(date +%s%N)
  (cd "$work/minute" && on_platform offscreen /usr/bin/time -v -o "$work/startup.time" \
    "$program" --port "$work/tty" --screenshot "$work/shown.png" --quit-after 0)
  end=$(date +%s%N)
  startup_ms+=($(( (end - begin) / 1000000 )))
  read -r _ rss < <(time_fields "$work/startup.time")
  (( rss > peak_rss )) && peak_rss=$rss
done
startup_median=$(printf '%s\n' "${startup_ms[@]}" | median)
startup_max=$(printf '%s\n' "${startup_ms[@]}" | sort -n | tail -1)

# One measured run: prints "share cpu_seconds wall_seconds samples max_rss_kb".
run_case() {
  local platform=$1 folder=$2; shift 2
  local cpu wall share samples rss
  read -r cpu wall share samples rss < <(cd "$work/$folder" && on_platform "$platform" \
    "$harness" --port "$work/tty" --seconds "$seconds" --warm-up "$warm_up" "$@")
  echo "$share $cpu $wall $samples $rss"
}

declare -A shares details
cases=(minute tenth record reference)
for platform in $platforms; do
  for case in "${cases[@]}"; do
    for round in $(seq "$rounds"); do
      echo "$platform: $case, round $round (${warm_up} s warm-up, ${seconds} s measured)" >&2
      case $case in
        minute) read -r share cpu wall samples rss < <(run_case "$platform" minute) ;;
        tenth)  read -r share cpu wall samples rss < <(run_case "$platform" tenth) ;;
        record) read -r share cpu wall samples rss < <(run_case "$platform" tenth --record) ;;
        reference) read -r share cpu wall samples rss < <(run_case "$platform" tenth --reference) ;;
      esac
      shares[$platform.$case]+="${shares[$platform.$case]:+ / }$share"
      details[$platform.$case]+="${details[$platform.$case]:+; }${cpu} s in ${wall} s"
      [[ $case == record || $case == reference ]] && details[$platform.$case]+=", $samples samples"
      [[ $case == reference ]] && continue   # not the program's memory
      (( rss > peak_rss )) && peak_rss=$rss
      if [[ $platform == xcb ]]; then (( rss > ${xcb_rss:-0} )) && xcb_rss=$rss; fi
    done
  done
done

echo "benchmarks" >&2
"$root/$build/bench/poruka_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_format=csv 2>/dev/null >"$work/bench.csv"

label() {
  case $1 in
    minute) echo "Live readout, minute mode (200-ms ticks)" ;;
    tenth)  echo "Live readout, 0.1-s mode (64-ms ticks)" ;;
    record) echo "Recording at 0.1 s (Start pressed, then warm-up)" ;;
    reference) echo "Reference: a bare Qt window with a 0.1-s recording's events, none of the program's work" ;;
  esac
}
echo "Start-up to the window shown, offscreen (median of $startups, wall incl. process exit): ${startup_median} ms (slowest ${startup_max} ms)"
echo "CPU share: CPU time over ${seconds} s after ${warm_up} s of warm-up; $rounds round(s) each, in order"
echo
header="| Case |"
rule="|---|"
for platform in $platforms; do
  [[ $platform == xcb ]] && header+=" Real window (Xvfb) |" || header+=" Offscreen |"
  rule+="---|"
done
echo "$header"
echo "$rule"
for case in "${cases[@]}"; do
  row="| $(label "$case") |"
  for platform in $platforms; do row+=" ${shares[$platform.$case]} % |"; done
  echo "$row"
done
echo "| Peak memory (max RSS of every run) | $(( peak_rss / 1024 )) MB$([[ -n ${xcb_rss:-} ]] && echo ", real window $(( xcb_rss / 1024 )) MB") |"
echo
for platform in $platforms; do
  for case in "${cases[@]}"; do echo "$platform $case: ${details[$platform.$case]}"; done
done
echo
echo "| Benchmark (median of 5) | Wall | CPU |"
echo "|---|---|---|"
awk -F, '$1 ~ /_median"?$/ {
  gsub(/"/, "", $1); sub(/_median$/, "", $1)
  f = ($5 == "ns") ? 0.001 : ($5 == "ms") ? 1000 : ($5 == "s") ? 1000000 : 1
  printf "| %s | %.2f µs | %.2f µs |\n", $1, $3 * f, $4 * f
}' "$work/bench.csv"
