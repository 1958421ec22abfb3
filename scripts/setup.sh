#!/usr/bin/env bash
# Installs the Debian packages that building and testing Fonderel need.
# Idempotent: installs only what is missing, and updates the package lists
# only when something is.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev libcli11-dev
  qt6-base-dev qt6-charts-dev qt6-svg-dev fonts-dejavu-core
  desktop-file-utils appstream libxml2-utils shared-mime-info man-db
  dpkg-dev file lintian
  libnetcdf-dev
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
