#!/usr/bin/env bash
# Builds everything and runs every test (widget tests headless).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
orniva_install_missing
orniva_comma_locale
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/test
cd build/test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$(nproc)"
