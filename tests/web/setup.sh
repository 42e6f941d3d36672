#!/usr/bin/env bash
# The browser tests' npm packages, as pinned in package-lock.json, into build/web-test/;
# installed again only when the lock file changes. puppeteer-core drives Debian's chromium
# and never downloads a browser of its own.
set -euo pipefail
cd "$(dirname "$0")/../.."
dest=build/web-test
mkdir -p "$dest"
if ! cmp -s tests/web/package-lock.json "$dest/package-lock.json" || [ ! -d "$dest/node_modules" ]; then
  cp tests/web/package.json tests/web/package-lock.json "$dest/"
  (cd "$dest" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi
