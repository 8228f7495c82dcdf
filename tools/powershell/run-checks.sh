#!/bin/sh
# The powershell_runs test: PowerShell 7.6 as a .NET tool cached in the build
# tree, the scripts written by the feed, then runner.ps1 on them all in one
# PowerShell process.
#   run-checks.sh DOTNET TOOL_DIR FEED WORK_DIR [LOOSE_DIR]
# LOOSE_DIR: .ps1 files other tests wrote, run without expectations.
# DOTNET empty or missing: prints why and exits 77 (ctest's skip code); so
# does a failed install (no network), with dotnet's own message.
set -u
version=7.6.10
dotnet=$1 tools=$2 feed=$3 work=$4
shift 4
here=$(dirname "$0")

if [ -z "$dotnet" ] || ! [ -x "$dotnet" ]; then
    echo "powershell_runs skipped: dotnet not found (it installs PowerShell $version as a .NET tool)"
    exit 77
fi
pwsh=$tools/pwsh
if ! [ -x "$pwsh" ] || ! [ -f "$tools/.version-$version" ]; then
    rm -rf "$tools"
    if ! out=$(DOTNET_CLI_TELEMETRY_OPTOUT=1 DOTNET_NOLOGO=1 \
               "$dotnet" tool install PowerShell --version "$version" --tool-path "$tools" 2>&1); then
        echo "$out"
        echo "powershell_runs skipped: PowerShell $version could not be installed with $dotnet (see above)"
        exit 77
    fi
    touch "$tools/.version-$version"
fi

rm -rf "$work"
"$feed" "$work" || exit 1
loose=${1:-}
set -- -Checked "$work"
[ -n "$loose" ] && set -- "$@" -Loose "$loose"
exec env POWERSHELL_TELEMETRY_OPTOUT=1 POWERSHELL_UPDATECHECK=Off DOTNET_CLI_TELEMETRY_OPTOUT=1 \
    "$pwsh" -NoProfile -NonInteractive -ExecutionPolicy Bypass -File "$here/runner.ps1" "$@"
