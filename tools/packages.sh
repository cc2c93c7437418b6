# shellcheck shell=bash
# The Debian packages kvt needs, in three lists, and a function that installs those that are
# missing. Sourced by ./run (running and building), ./test and ./fuzz (all three); nothing needs
# to be installed by hand.

# What the built programs need at run time: the Qt libraries come with the -dev packages below;
# the font is the Japanese Gothic face the windows were drawn with.
KVT_RUN_PACKAGES=(
  fonts-ipafont-gothic
)

# What building kvt and kvt-batch needs (toml++ for bond-law files; Boost for Odeint and Math,
# both header-only), and the Python package's module (pybind11 and Debian's Python headers).
KVT_BUILD_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-svg-dev
  libtomlplusplus-dev libboost-dev
  pybind11-dev python3-dev
)

# What the tests, benchmarks and fuzzers need on top, with the tools that check the desktop
# files, the manual pages and the Debian package (which is made from the release build).
KVT_TEST_PACKAGES=(
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  poppler-utils
  desktop-file-utils appstream shared-mime-info groff-base man-db dpkg-dev file
  locales time  # a German locale built for the tests; GNU time for kvt-batch's peak memory
  # The Python package's tests, its example notebook and its Dask example, all on Debian's Python.
  python3-pytest python3-pandas python3-matplotlib python3-distributed python3-nbclient
  python3-ipykernel
)

kvt_ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$package")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

kvt_ensure_run_packages() {
  kvt_ensure_packages "${KVT_RUN_PACKAGES[@]}" "${KVT_BUILD_PACKAGES[@]}" "$@"
}

kvt_ensure_all_packages() {
  kvt_ensure_packages "${KVT_RUN_PACKAGES[@]}" "${KVT_BUILD_PACKAGES[@]}" \
    "${KVT_TEST_PACKAGES[@]}" "$@"
}
