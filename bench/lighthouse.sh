#!/usr/bin/env bash
# Lighthouse's scores of the browser game (dist/web, served compressed from 127.0.0.1), mobile
# and desktop, in Debian's Chromium. Lighthouse is pinned and installed into build/lighthouse,
# apart from the test suite's packages. Usage: bench/lighthouse.sh [DIST] [REPORT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
dist=$(cd "${1:-dist/web}" && pwd) out=${2:-build/lighthouse/reports}
[ -x build/lighthouse/node_modules/.bin/lighthouse ] ||
  (mkdir -p build/lighthouse && cd build/lighthouse && npm install --no-audit --no-fund --loglevel=error lighthouse@12.2.3)
mkdir -p "$out"
out=$(cd "$out" && pwd)
port_file=$(mktemp)
NODE_PATH=build/web-test/node_modules node -e '
  require("./tests/web/static_server.js").serve(process.argv[1], { compress: true })
    .then((s) => require("fs").writeFileSync(process.argv[2], s.url));' "$dist" "$port_file" &
server=$!
trap 'kill $server' EXIT
until [ -s "$port_file" ]; do sleep 0.1; done
url=$(cat "$port_file")
for preset in mobile desktop; do
  flags=(--only-categories=performance,accessibility,best-practices --output=json --quiet
         --chrome-flags="--headless=new --no-sandbox --disable-gpu" --output-path="$out/$preset.json")
  [ $preset = desktop ] && flags+=(--preset=desktop)
  CHROME_PATH=/usr/bin/chromium build/lighthouse/node_modules/.bin/lighthouse "$url" "${flags[@]}"
  node -e '
    const r = require(process.argv[1]);
    const c = r.categories, a = r.audits;
    console.log(`${process.argv[2]}: performance ${Math.round(c.performance.score * 100)}, ` +
      `accessibility ${Math.round(c.accessibility.score * 100)}, best practices ${Math.round(c["best-practices"].score * 100)}; ` +
      `FCP ${a["first-contentful-paint"].displayValue}, LCP ${a["largest-contentful-paint"].displayValue}, ` +
      `TBT ${a["total-blocking-time"].displayValue}, TTI ${a.interactive.displayValue}`);' "$out/$preset.json" $preset
done
