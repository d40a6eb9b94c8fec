#!/usr/bin/env bash
# Builds the program and starts it against the stand-in sensor box, in the sample data folder.
# Without a display it runs a few seconds on a virtual screen and saves a picture of the window.
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target poruka poruka-box

program=$repo/build/default/poruka
box=$repo/build/default/tools/virtual-box/poruka-box
scratch=$(mktemp -d)
box_pid=

stop_box() {
  if [[ -n $box_pid ]]; then
    kill "$box_pid" 2>/dev/null || true
    wait "$box_pid" 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap stop_box EXIT
trap 'exit 130' INT TERM   # Ctrl-C also stops the box on the way out

# Qt wants a private runtime folder; a desktop session has one, a bare terminal may not.
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
  export XDG_RUNTIME_DIR=$scratch/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi

options=()
if [[ -x $box ]]; then
  link=$scratch/poruka-tty
  "$box" --link "$link" --data "$repo/data" --scenario room &
  box_pid=$!
  for _ in $(seq 50); do
    [[ -e $link ]] && break
    sleep 0.1
  done
  if [[ -e $link ]]; then
    options+=(--port "$link")
  else
    echo "run: the stand-in box did not come up; the program will report no box" >&2
  fi
fi

# The program reads its calibration and customization files from the working folder.
if [[ -d $repo/data ]]; then
  cd "$repo/data"
else
  echo "run: no data folder; the program will report its files missing" >&2
fi

if [[ -n ${DISPLAY:-} ]]; then
  "$program" "${options[@]}"
else
  picture=$repo/build/poruka-window.png
  xvfb-run -a "$program" "${options[@]}" --screenshot "$picture" --quit-after 5
  echo "No display here: the program ran for 5 seconds on a virtual screen."
  echo "Picture of its window: $picture"
fi
