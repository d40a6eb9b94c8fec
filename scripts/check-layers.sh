#!/usr/bin/env bash
# The layers of src/ use only the layers below them:
#   base <- render <- files <- device <- run <- widgets <- window <- features, settings, classview,
#   review <- program
# features, settings, classview and review stand side by side: none includes another, so nothing but the
# program (and main.cpp beside it) includes a feature.
# Fails, naming the line, when a file of one layer includes a header of a layer above it or
# beside it.
set -euo pipefail
src=${1:-"$(dirname "${BASH_SOURCE[0]}")/../src"}
declare -A rank=([base]=0 [render]=1 [files]=2 [device]=3 [run]=4 [widgets]=5 [window]=6
                 [features]=7 [settings]=7 [classview]=7 [review]=7 [program]=8)
bad=0
for layer in "${!rank[@]}"; do
  [[ -d $src/$layer ]] || continue
  while IFS=: read -r file line included; do
    target=${included%%/*}
    [[ -v rank[$target] ]] || continue
    if [[ $target != "$layer" ]] && (( rank[$target] >= rank[$layer] )); then
      echo "layers: $file:$line includes $included, from a layer above or beside $layer" >&2
      bad=1
    fi
  done < <(grep -rnoE '^#include "[a-z]+/[^"]+"' "$src/$layer" | sed -E 's/#include "([^"]+)"/\1/')
done
for folder in "$src"/*/; do
  name=$(basename "$folder")
  [[ -v rank[$name] ]] || { echo "layers: src/$name is no layer of this check" >&2; bad=1; }
done
(( bad == 0 )) && echo "layers: every include in src/ points to its own layer or one below"
exit "$bad"
