// Time to playing of the browser game in Debian's Chromium, cold cache (a fresh profile each
// load), for one or more builds side by side, on 127.0.0.1 or through a slow school network.
// Usage: NODE_PATH=build/web-test/node_modules node bench/web_load.js [--slow] [--compress]
//          [--runs N] [--size WxH] DIST...
// --size WxH: the page's size (the design's, 792x566, by default); --slow: 1.6 Mbit/s, 150 ms latency, a CPU four times slower; --compress: the server sends the
// precompressed copies. Prints each build's median and range, in ms from navigation start, the
// bytes the page fetched before it played (bodies as sent: compressed with --compress), and
// how long after it the page is free again, its first frame shown: what a first click waits.
"use strict";
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const puppeteer = require("puppeteer-core");
const { serve } = require("../tests/web/static_server.js");

const args = process.argv.slice(2);
const flag = (name) => args.includes(name) && args.splice(args.indexOf(name), 1).length > 0;
const slow = flag("--slow");
const compress = flag("--compress");
const runsAt = args.indexOf("--runs");
const runs = runsAt >= 0 ? Number(args.splice(runsAt, 2)[1]) : 5;
const sizeAt = args.indexOf("--size");
const [width, height] = sizeAt >= 0 ? args.splice(sizeAt, 2)[1].split("x").map(Number) : [792, 566];

async function load(url) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "bolvenda-bench-"));
  const browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium", headless: true, userDataDir: profile, dumpio: !!process.env.DUMPIO,
    args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking"],
  });
  try {
    const page = await browser.newPage();
    await page.setViewport({ width, height });
    if (slow) {
      const cdp = await page.createCDPSession();
      await cdp.send("Network.enable");
      await cdp.send("Network.emulateNetworkConditions", {
        offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 0.75e6 / 8 });
      await cdp.send("Emulation.setCPUThrottlingRate", { rate: 4 });
    }
    // The moment the page says "playing", on the page's own clock.
    await page.evaluateOnNewDocument(() => {
      new MutationObserver(() => {
        const game = document.documentElement?.dataset.game;
        if (game && game !== "loading" && !window.playingAt) {
          window.playingAt = performance.now();
          // After the next frame's layout and paint, the first moment nothing else is running.
          requestAnimationFrame(() => setTimeout(() => { window.freeAt = performance.now(); }));
        }
      }).observe(document, { attributes: true, subtree: true });
    });
    // A browser already open, as a child finds it: its own start-up is not the page's.
    await new Promise((settled) => setTimeout(settled, 1500));
    await page.goto(url);
    await page.waitForFunction(() => window.freeAt, { timeout: 120000, polling: 50 });
    return await page.evaluate(() => {
      const before = [...performance.getEntriesByType("navigation"),
                      ...performance.getEntriesByType("resource")].filter((e) => e.startTime < window.playingAt);
      return [window.playingAt, performance.getEntriesByName("instantiated")[0]?.startTime,
              before.reduce((sum, e) => sum + e.encodedBodySize, 0), window.freeAt - window.playingAt];
    });
  } finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

(async () => {
  const servers = await Promise.all(args.map((dist) => serve(dist, { compress })));
  const times = args.map(() => []);
  for (let r = 0; r < runs; ++r) {
    for (let i = 0; i < args.length; ++i) times[i].push(await load(servers[i].url));
  }
  // Where the page marks it, the game's own start too: from its WebAssembly ready to playing.
  const median = (t) => t.sort((a, b) => a - b)[t.length >> 1];
  for (let i = 0; i < args.length; ++i) {
    const t = times[i].map(([playing]) => playing).sort((a, b) => a - b);
    const own = times[i].filter(([, ready]) => ready != null).map(([playing, ready]) => playing - ready);
    const bytes = median(times[i].map(([, , fetched]) => fetched));
    const free = median(times[i].map(([, , , after]) => after));
    console.log(`${args[i]}: median ${median(t).toFixed(0)} ms (${t[0].toFixed(0)}-${t[t.length - 1].toFixed(0)})` +
                `${own.length ? `, game's own start ${median(own).toFixed(0)} ms` : ""}, ` +
                `${(bytes / 1000).toFixed(1)} kB fetched before playing, free ${free.toFixed(0)} ms after, ` +
                `${slow ? "slow network, 4x CPU" : "127.0.0.1"}${compress ? ", compressed" : ""}, ${width}x${height}`);
  }
  await Promise.all(servers.map((s) => s.close()));
})();
