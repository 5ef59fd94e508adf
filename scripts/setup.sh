#!/usr/bin/env bash
# Installs what the build, the tests and the demo need (Debian), skipping
# packages that are already present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  zlib1g-dev libjpeg62-turbo-dev libjbig2dec0-dev libfreetype-dev libfontconfig-dev
  fonts-liberation fonts-liberation2 fonts-dejavu-core
  libgtest-dev libgmock-dev
)
if [[ "${1:-}" == "--tests" ]]; then
  packages+=(qpdf poppler-utils clang libclang-rt-14-dev libreoffice-writer-nogui python3)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  sudo=""
  [[ $(id -u) -ne 0 ]] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
