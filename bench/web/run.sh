#!/bin/sh
# Numbers of the web edition's page, not a test: it prints them and passes
# whatever they are.
#   bench/web/run.sh [SITE_DIR]      (SITE_DIR: build-web/site by default)
# (a) time to interactive served from 127.0.0.1, (b) the bytes of the site,
# plain and gzip -9, (c) a keystroke in a 64 KiB body to the code view
# updated. Headless Chromium driven by the browser tests' puppeteer-core
# (tests/web/browser/node_modules; run those tests once to install it).
# RUNS and KEYS change the counts (15 and 30); CHROMIUM names the browser.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
site=$(cd "${1:-$root/build-web/site}" && pwd)
for file in index.html app.js style.css boxwright-core.js; do
    if [ ! -f "$site/$file" ]; then
        echo "$0: $site/$file is missing (build the web edition first)" >&2
        exit 2
    fi
done
if [ ! -d "$root/tests/web/browser/node_modules/puppeteer-core" ]; then
    echo "$0: no puppeteer-core in tests/web/browser/node_modules (run tests/web/browser/run.sh once)" >&2
    exit 2
fi

echo "(b) the site's files: bytes, gzip -9 bytes"
plain=0
packed=0
for file in "$site"/*; do
    [ -f "$file" ] || continue
    p=$(wc -c < "$file")
    g=$(gzip -9 -c "$file" | wc -c)
    printf '    %-22s %9d %9d\n' "$(basename "$file")" "$p" "$g"
    plain=$((plain + p))
    packed=$((packed + g))
done
awk -v p="$plain" -v g="$packed" \
    'BEGIN { printf "    %-22s %9d %9d  (%.1f KB gzip -9; goal <= 200 KB)\n", "total", p, g, g / 1000 }'

SITE_DIR="$site" CHROMIUM="${CHROMIUM:-/usr/bin/chromium}" exec node "$here/page-bench.mjs"
