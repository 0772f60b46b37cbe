#!/usr/bin/env bash
# Installs every Debian 12 package that building, testing and running Velkar
# needs, skipping the ones already present, then the web tests' npm packages
# (web/package-lock.json). Runs apt-get as root or via sudo.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config
  clang clang-format clang-tidy libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev locales gcovr
  libcli11-dev nlohmann-json3-dev
  qt6-base-dev qt6-svg-dev libgl-dev qt6-translations-l10n
  fonts-ipafont-gothic
  dpkg-dev lintian desktop-file-utils appstream
  emscripten chromium
)
# node and npm: Debian's, unless a node (with its npm) is there already.
if ! command -v npm >/dev/null 2>&1; then packages+=(nodejs npm); fi

missing=()
for pkg in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done

# The web tests' packages, again whenever the lock file changed.
install_npm_packages() {
  if [ ! -f web/node_modules/.package-lock.json ] ||
     [ web/package-lock.json -nt web/node_modules/.package-lock.json ]; then
    echo "install-deps: installing the web tests' npm packages"
    (cd web && npm ci --no-audit --no-fund --loglevel=error)
  fi
}

if [ ${#missing[@]} -eq 0 ]; then
  install_npm_packages
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
install_npm_packages
