#!/usr/bin/env bash
# Installs what is missing, builds the default preset and runs the whole test suite.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default -j"$(nproc)"
