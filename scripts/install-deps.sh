#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and running Velkar
# needs, skipping the ones already present. Runs apt-get as root or via sudo.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang clang-format clang-tidy libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev locales gcovr
  libcli11-dev nlohmann-json3-dev
  qt6-base-dev libgl-dev
  fonts-ipafont-gothic
  dpkg-dev lintian desktop-file-utils appstream
)

missing=()
for pkg in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  sudo=()
elif command -v sudo >/dev/null 2>&1; then
  sudo=(sudo)
else
  echo "install-deps: missing packages (${missing[*]}) and neither root nor sudo available" >&2
  exit 1
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
