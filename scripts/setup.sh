#!/usr/bin/env bash
# Installs everything ZOLT needs on a Debian 12 machine and builds it into out/.
# Safe to run again: it installs only what is missing and rebuilds only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake pkg-config git
  libgumbo-dev libboost-dev nlohmann-json3-dev libcli11-dev
  libgtest-dev googletest
  chromium firefox-esr fonts-dejavu-core fonts-liberation
  ca-certificates
)
command -v node >/dev/null 2>&1 || packages+=(nodejs)
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# npm packages from the committed lock file, again only when it changed.
if ! cmp -s package-lock.json node_modules/.package-lock.json 2>/dev/null; then
  npm ci --no-audit --no-fund --loglevel=error
  cp package-lock.json node_modules/.package-lock.json
fi

cmake -S . -B out/build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build out/build -j"$(nproc)"
