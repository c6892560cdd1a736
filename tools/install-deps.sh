#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, or
# only the packages named as arguments. Does nothing when they are all
# present; runs apt-get (as root, or through sudo) otherwise.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev portaudio19-dev libsndfile1-dev
  xvfb xauth jackd2
  fluidsynth polyphone sox python3-mido python3-numpy
  clang libclang-rt-14-dev
)
[ $# -eq 0 ] || packages=("$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
