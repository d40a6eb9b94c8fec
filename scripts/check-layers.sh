#!/usr/bin/env bash
# The layers of src/ use only the layers before them:
#   base <- render <- files <- device <- app <- settings
# Fails, naming the line, when a file of one layer includes a header of a layer above it.
set -euo pipefail
src=${1:-"$(dirname "${BASH_SOURCE[0]}")/../src"}
layers=(base render files device app settings)
rank() { local i; for i in "${!layers[@]}"; do [[ ${layers[$i]} == "$1" ]] && { echo "$i"; return; }; done; echo -1; }
bad=0
for layer in "${layers[@]}"; do
  own=$(rank "$layer")
  [[ -d $src/$layer ]] || continue
  while IFS=: read -r file line included; do
    target=$(rank "${included%%/*}")
    if (( target > own )); then
      echo "layers: $file:$line includes $included, from a layer above $layer" >&2
      bad=1
    fi
  done < <(grep -rnoE '^#include "[a-z]+/[^"]+"' "$src/$layer" | sed -E 's/#include "([^"]+)"/\1/')
done
(( bad == 0 )) && echo "layers: every include in src/ points to its own layer or one below"
exit "$bad"
