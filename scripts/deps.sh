#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the program and the tests need.
# Packages already present are skipped, so a second run costs nothing. Packages named as
# arguments are installed too: `scripts/deps.sh kicad kicad-footprints` adds KiCad, whose
# board reader the tests use to read back the boards they write (the CI does so; they
# are large, so the tests say they skipped those checks without them).
set -euo pipefail

packages=(
  build-essential cmake g++ clang libclang-rt-14-dev ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl1-mesa-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev libexpat1-dev
  fonts-ipafont-gothic qt6-translations-l10n xvfb xauth openbox clang-format
  desktop-file-utils appstream
  python3-ezdxf
)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
