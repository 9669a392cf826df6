#!/usr/bin/env bash
# Builds Orniva (Release) and starts the window.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
orniva_install_missing
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DORNIVA_BUILD_TESTS=OFF >/dev/null
cmake --build build/release --target VORN orniva-plot orniva-analyse orniva-import orniva-survey
exec build/release/app/VORN "$@"
