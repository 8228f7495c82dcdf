#!/bin/sh
# Browser tests of the web edition's page: Debian's chromium, headless, driven
# by puppeteer-core, with node's own test runner.
#   tests/web/browser/run.sh SITE_DIR      (SITE_DIR: usually build-web/site)
# Installs the pinned node modules (npm ci) when they are missing; downloads
# no browser. CHROMIUM names another browser binary; SHOTS_DIR is where the
# screenshots go (/tmp/web-shots).
set -eu
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -ne 1 ] || [ ! -d "$1" ]; then
    echo "usage: $0 SITE_DIR" >&2
    exit 2
fi
site=$(cd "$1" && pwd)
for file in index.html app.js style.css boxwright-core.js; do
    if [ ! -f "$site/$file" ]; then
        echo "$0: $site/$file is missing (build the web edition first)" >&2
        exit 2
    fi
done
chromium=${CHROMIUM:-/usr/bin/chromium}
if [ ! -x "$chromium" ]; then
    echo "$0: no browser at $chromium (apt-get install -y chromium)" >&2
    exit 2
fi
if [ ! -d "$here/node_modules/puppeteer-core" ] || [ ! -d "$here/node_modules/axe-core" ]; then
    (cd "$here" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi
cd "$here"
SITE_DIR="$site" CHROMIUM="$chromium" exec node --test \
    page.test.mjs convert.test.mjs keyboard.test.mjs accessibility.test.mjs
