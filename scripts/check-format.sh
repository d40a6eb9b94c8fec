#!/usr/bin/env bash
# Checks the formatting of the C++ lines changed since a commit (default: the one before HEAD)
# against .clang-format. Only changed lines are looked at, so older code need not be reformatted.
#   bash scripts/check-format.sh [BASE]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
base=${1:-HEAD~1}
git rev-parse --verify -q "$base^{commit}" >/dev/null || { echo "format: no commit $base, nothing to check"; exit 0; }
diff=$(git clang-format --binary clang-format --diff --extensions cpp,h "$base" -- src tests bench fuzz tools || true)
# The one habit clang-format cannot spell: trailing comments stand three spaces off the code,
# but a namespace's closing comment only one ("} // namespace"). Those lines are let through.
problems=$(printf '%s\n' "$diff" | grep -E '^[-+][^-+]' | grep -vE '^[-+]\}( |   )// namespace' || true)
if [[ -z $problems ]]; then
  echo "format: the C++ lines changed since $(git rev-parse --short "$base") follow .clang-format"
else
  printf '%s\n' "$diff"
  echo "format: the lines above do not follow .clang-format (git clang-format $base mends them)" >&2
  exit 1
fi
