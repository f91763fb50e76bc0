#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Skyvane needs.
# Idempotent: packages already present are left alone and apt is not touched at all
# when nothing is missing.
set -euo pipefail

PACKAGES=(
  build-essential
  cmake
  ninja-build
  pkg-config
  qt6-base-dev
  qt6-base-dev-tools
  qt6-svg-dev
  libgl-dev
  liberfa-dev
  libgtest-dev
  libgmock-dev
  libbenchmark-dev
  libnova-dev
  nlohmann-json3-dev
  liblzma-dev
  libsqlite3-dev
  libssl-dev
  fonts-liberation2
  xvfb
  xauth
  poppler-utils
  dpkg-dev
  desktop-file-utils
  appstream
)

# The fuzzing build (make fuzz) needs clang and its fuzzer runtime; the regression pass over
# the corpora in make test does not.
if [ "${1:-}" = "--fuzz" ]; then
  PACKAGES+=(clang libclang-rt-dev)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
