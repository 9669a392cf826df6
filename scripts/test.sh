#!/usr/bin/env bash
# Builds everything and runs every test (widget tests headless), then builds
# it all again with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# the whole suite once more there, runs each fuzz target for a short time,
# and builds and checks the Debian package. Fails when any of them fails.
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

echo
echo "== The fuzz targets (build/fuzz, clang's libFuzzer), each a short bounded run on its corpus =="
# Builds the targets and runs each for ORNIVA_FUZZ_SECONDS (default 20)
# on a scratch copy of its seeds; a property that fails, a crash, a leak or
# a timeout fails the run and leaves the input in build/fuzz
# (fuzz/README.md says what to do with it).
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORNIVA_FUZZ=ON -DORNIVA_BUILD_UI=OFF -DORNIVA_BUILD_TESTS=OFF -DORNIVA_BUILD_BENCH=OFF >/dev/null
targets=(reader render curation import options orientations field)
cmake --build build/fuzz --target "${targets[@]/#/fuzz_}"
for target in "${targets[@]}"; do
  dict=""
  case "$target" in
    reader | render) dict="-dict=fuzz/data.dict" ;;
    curation) dict="-dict=fuzz/curation.dict" ;;
  esac
  work="build/fuzz/work/$target"
  rm -rf "$work" && mkdir -p "$work"
  cp fuzz/corpus/"$target"/* "$work"/
  rm -f "$work/README.md"
  status=0
  build/fuzz/fuzz/"fuzz_$target" -max_total_time="${ORNIVA_FUZZ_SECONDS:-20}" -max_len=4096 \
    -timeout=10 $dict -print_final_stats=1 -artifact_prefix="build/fuzz/fuzz_$target-" "$work" \
    >"$work.log" 2>&1 || status=$?
  echo "fuzz_$target: $(sed -n 's/^stat::number_of_executed_units: *//p' "$work.log") runs"
  if [ "$status" -ne 0 ]; then
    tail -n 30 "$work.log" >&2
    echo "fuzz_$target found a fault; its input is in build/fuzz (fuzz/README.md)" >&2
    exit 1
  fi
done

echo
echo "== The Debian package (scripts/package.sh), unpacked and checked =="
# Builds it (lintian must find no error), unpacks it into a temporary folder
# and checks what a desktop reads there; any check that fails ends the run.
scripts/package.sh
version=$(sed -n 's/^project(Orniva VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
package="build/package/orniva_${version}_$(dpkg --print-architecture).deb"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg -x "$package" "$unpacked"
share="$unpacked/usr/share"
checks=0
pass() { checks=$((checks + 1)); }
fail() {
  echo "package check failed: $*" >&2
  exit 1
}
for program in orniva VORN orniva-plot orniva-analyse orniva-import orniva-survey; do
  said=$("$unpacked/usr/bin/$program" --version) || fail "$program --version"
  [[ "$said" == *" $version" ]] || fail "$program --version says '$said', not $version"
  pass
  page="$share/man/man1/$program.1.gz"
  [ -e "$page" ] || fail "no manual page for $program"
  warnings=$(man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "the manual page of $program: $warnings"
  pass
done
[ -s "$share/doc/orniva/manual/index.html" ] || fail "no manual in share/doc/orniva/manual"
pass
said=$(desktop-file-validate "$share/applications/orniva.desktop" 2>&1) || fail "$said"
[ -z "$said" ] || fail "desktop-file-validate: $said"
pass
appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml || fail "appstreamcli validate"
pass
mime_type=$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$share/applications/orniva.desktop")
grep -q "<mime-type type=\"$mime_type\">" "$share/mime/packages/orniva.xml" ||
  fail "the desktop entry's type '$mime_type' is not in mime/packages/orniva.xml"
pass
for icon in "$share"/icons/hicolor/*x*/apps/orniva.png; do
  size=$(basename "$(dirname "$(dirname "$icon")")")
  file "$icon" | grep -q "PNG image data, ${size/x/ x }," || fail "$icon is not $size"
  pass
done
echo "package: $checks passed, 0 failed"
