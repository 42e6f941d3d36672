// Screenshots of the browser game for review by eye, in Debian's Chromium: a tablet sideways at
// pixel ratio 2, a phone upright and sideways (ratio 3, touch), the loading progress half way
// (the WebAssembly held back) and the start without a network after a first visit.
// Usage: NODE_PATH=build/web-test/node_modules node tools/web/page_shots.js DIST OUT_DIR
"use strict";
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const puppeteer = require("puppeteer-core");
const { serve } = require("../../tests/web/static_server.js");

const [dist, out] = process.argv.slice(2);
const playing = (page) => page.waitForFunction(() => document.documentElement.dataset.game === "playing", { timeout: 30000 });

(async () => {
  fs.mkdirSync(out, { recursive: true });
  const server = await serve(dist, { compress: true });
  const browser = await puppeteer.launch({ executablePath: "/usr/bin/chromium", headless: true,
    userDataDir: fs.mkdtempSync(path.join(os.tmpdir(), "bolvenda-shots-")),
    args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--force-color-profile=srgb"] });
  const sizes = { "tablet-sideways": [1180, 820, 2, true], "phone-upright": [390, 844, 3, true],
                  "phone-sideways": [844, 390, 3, true], "wide-page": [1400, 600, 1, false] };
  for (const [name, [width, height, deviceScaleFactor, hasTouch]] of Object.entries(sizes)) {
    const page = await browser.newPage();
    await page.setViewport({ width, height, deviceScaleFactor, hasTouch, isMobile: hasTouch });
    await page.goto(server.url);
    await playing(page);
    await new Promise((r) => setTimeout(r, 500));
    await page.screenshot({ path: path.join(out, `${name}.png`) });
    await page.close();
  }
  // Loading: the WebAssembly held back, the progress set half way; a context of its own, where
  // no service worker answers.
  const page = await (await browser.createBrowserContext()).newPage();
  await page.setViewport({ width: 1024, height: 700 });
  await page.setRequestInterception(true);
  page.on("request", (r) => (r.url().endsWith(".wasm") ? undefined : r.continue()));
  await page.goto(server.url, { waitUntil: "domcontentloaded" });
  await page.evaluate(() => showDone(0.5));
  await new Promise((r) => setTimeout(r, 400));
  await page.screenshot({ path: path.join(out, "loading.png") });
  await page.close();
  // Offline: a first visit keeps the game, the second has no server.
  const first = await browser.newPage();
  await first.goto(server.url);
  await playing(first);
  await first.evaluate(() => navigator.serviceWorker.ready);
  await first.close();
  server.offline = true;
  const again = await browser.newPage();
  await again.setViewport({ width: 1024, height: 700 });
  await again.goto(server.url);
  await playing(again);
  await again.screenshot({ path: path.join(out, "offline-start.png") });
  await browser.close();
  await server.close();
})();
