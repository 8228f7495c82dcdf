#!/usr/bin/env bash
# Installs the Debian packages the build, the app and the tests need, and only
# those that are missing, so that a machine that has them all skips this at once.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
    qt6-base-dev qt6-webengine-dev libgl-dev qt6-translations-l10n
    libgtest-dev libbenchmark-dev libfontconfig-dev fonttools
    fonts-noto-cjk xvfb xauth imagemagick xdg-utils desktop-file-utils
    time file appstream locales acl
    g++-mingw-w64-x86-64-posix googletest wine wine64
    emscripten node-acorn chromium
)
# node and npm run the PowerShell grammar check and the VBScript engine tool.
# A node that is already there is kept: NodeSource's nodejs package brings its
# own npm and conflicts with Debian's npm package.
if ! command -v node >/dev/null 2>&1; then
    packages+=(nodejs)
fi
if ! command -v npm >/dev/null 2>&1; then
    packages+=(npm)
fi

missing=()
for p in "${packages[@]}"; do
    if [ "$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null)" != "installed" ]; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    as_root=()
else
    as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
