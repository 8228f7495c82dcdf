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
    dbus at-spi2-core libglib2.0-bin python3-pyatspi
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

# PowerShell 7.6 for the powershell_runs test, as a .NET tool in the build
# tree (BOXWRIGHT_BUILD, default build) when dotnet is there; the test installs
# it itself when it is missing, and is skipped without dotnet.
pwsh_tools="${BOXWRIGHT_BUILD:-$(dirname "$0")/../build}/tools/pwsh"
if command -v dotnet >/dev/null 2>&1 && [ ! -f "$pwsh_tools/.version-7.6.10" ]; then
    rm -rf "$pwsh_tools"
    if DOTNET_CLI_TELEMETRY_OPTOUT=1 DOTNET_NOLOGO=1 \
        dotnet tool install PowerShell --version 7.6.10 --tool-path "$pwsh_tools" >/dev/null; then
        touch "$pwsh_tools/.version-7.6.10"
    else
        echo "PowerShell 7.6.10 not installed (the powershell_runs test tries again)" >&2
    fi
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
