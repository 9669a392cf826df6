#!/usr/bin/env bash
# Builds Orniva's Debian package in one go: a Release build in build/release
# with Debian's hardening flags, then CPack, then lintian (any error fails).
# The package lands in build/package/orniva_<version>_<architecture>.deb;
# install it with `apt install ./build/package/orniva_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
orniva_install_missing

export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DORNIVA_BUILD_TESTS=OFF -DORNIVA_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build build/release
rm -rf build/package
(cd build/release && cpack -G DEB -B "$PWD/../package")
rm -rf build/package/_CPack_Packages

package=$(ls build/package/orniva_*.deb)
echo "== lintian $package =="
lintian --fail-on error "$package" || {
  echo "lintian found errors in $package" >&2
  exit 1
}
echo "Built $package"
