#!/usr/bin/env bash
# Builds everything and runs every test (widget tests headless), then builds
# it all again with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# the whole suite once more there. Fails when either run fails; each run
# ends in ctest's summary, the sanitizer run's last.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
orniva_install_missing
orniva_comma_locale
export QT_QPA_PLATFORM=offscreen

# Every C++ file laid out as .clang-format says; a file that is not fails the run.
echo "== Layout of the C++ files (.clang-format) =="
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/test
(cd build/test && ctest --output-on-failure -j "$(nproc)")

echo
echo "== The same suite under AddressSanitizer and UndefinedBehaviorSanitizer (build/asan) =="
# Any finding ends the test with a stack trace, leaks included. These also
# apply to the test listing that the build runs.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DORNIVA_SANITIZE=ON -DORNIVA_BUILD_BENCH=OFF >/dev/null
cmake --build build/asan
(cd build/asan && ctest --output-on-failure -j "$(nproc)")
