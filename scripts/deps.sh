# Installs the Debian packages that the build and the tests need, when any
# is missing. Sourced by scripts/run.sh and scripts/test.sh; safe to repeat.
orniva_packages=(
  cmake ninja-build g++ pkg-config clang-format
  nettle-dev  # SHA-256 of a data file as it is read (document/)
  qt6-base-dev qt6-svg-dev libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libeigen3-dev libssl-dev  # dense linear algebra; the data file's SHA-256
  nlohmann-json3-dev  # the JSON library the JSON reader is checked and measured against
  fonts-liberation locales
  librsvg2-bin poppler-utils inkscape  # renderers of our own figures in the tests
  dpkg-dev lintian desktop-file-utils appstream file man-db  # the Debian package and its checks
  clang libclang-rt-14-dev  # the fuzz targets: clang's libFuzzer and sanitizers
)

orniva_install_missing() {
  local missing=()
  local p
  for p in "${orniva_packages[@]}" "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The reader's tests check numbers under a locale with a decimal comma.
orniva_comma_locale() {
  locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$' && return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo localedef -i de_DE -c -f UTF-8 de_DE.UTF-8 || echo "No de_DE.UTF-8 locale: its tests will be skipped."
}

# A compiler cache, when the machine has one, spares rebuilding what did not
# change (CMake reads this when a build folder is first configured).
if command -v ccache >/dev/null; then export CMAKE_CXX_COMPILER_LAUNCHER=ccache; fi
