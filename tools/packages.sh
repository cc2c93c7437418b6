# shellcheck shell=bash
# The Debian packages the build, the tests and the program need, and a function that installs
# those that are missing. Sourced by ./run and ./test; nothing needs to be installed by hand.

KVT_PACKAGES=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libbenchmark-dev
  qt6-base-dev fonts-ipafont-gothic
  clang libclang-rt-14-dev
)

kvt_ensure_packages() {
  local missing=()
  local package
  for package in "${KVT_PACKAGES[@]}" "$@"; do
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
