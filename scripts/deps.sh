#!/usr/bin/env bash
# Installs the Debian packages a build or test step needs, only when missing.
#   scripts/deps.sh native|windows|wine [...]
set -euo pipefail

packages=()
for group in "$@"; do
  case "$group" in
    native)  packages+=(cmake make g++ pkg-config python3 libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libpng-dev libsqlite3-dev libcairo2-dev libpango1.0-dev fonts-noto-cjk clang libclang-rt-14-dev) ;;
    windows) packages+=(cmake make python3 nlohmann-json3-dev g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64) ;;
    wine)    packages+=(wine wine64 xvfb xauth imagemagick) ;;
    *) echo "deps.sh: unknown group '$group'" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "deps.sh: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
