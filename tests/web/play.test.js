// The browser game in Debian's Chromium, Firefox ESR and WebKitGTK, served from 127.0.0.1 and
// opened from disk: the same play as the real-window tests, every screen held pixel for pixel
// against the offscreen render of the same state, touch taps at pixel ratio 2; in Chromium also
// idle CPU, the installability check and the start without a network. One scenario, one thin
// driver per engine (browsers.js); BOLVENDA_WEB_BROWSERS picks some of them.
"use strict";
const { test, describe, before, after } = require("node:test");
const assert = require("node:assert/strict");
const { spawn } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const readline = require("node:readline");
const { serve } = require("./static_server.js");
const { launch, sleep } = require("./browsers.js");

const dist = process.env.BOLVENDA_WEB_DIST;
const shots = process.env.BOLVENDA_WEB_SHOTS || fs.mkdtempSync(path.join(os.tmpdir(), "bolvenda-shots-"));
const engines = (process.env.BOLVENDA_WEB_BROWSERS || "chromium,firefox,webkit").split(",");
let puppeteer = null;
try {
  puppeteer = require("puppeteer-core");
} catch {}
if (!dist || !fs.existsSync(path.join(dist, "index.html")) || !puppeteer) {
  console.log("web tests skipped: no dist/web (bash scripts/web.sh) or no puppeteer-core (tests/web/setup.sh)");
  process.exit(77);
}

// Design rectangles (left, top, width, height), read from the layout in before().
const design = {};
const sky = [300, 80, 10, 10];  // no element, no tooltip
const numberLabel = (n) => design[`Label${n + 1}`];  // Label k shows k - 1

// The offscreen half, one command a line (tests/web/expected_main.cpp).
class Expected {
  constructor(program) {
    this.child = spawn(program, [], { stdio: ["pipe", "pipe", "inherit"] });
    this.lines = readline.createInterface({ input: this.child.stdout })[Symbol.asyncIterator]();
  }
  async ask(line) {
    this.child.stdin.write(line + "\n");
    const { value } = await this.lines.next();
    if (value === undefined || value.startsWith("error")) throw new Error(`${line}: ${value}`);
    return value;
  }
  close() { this.child.stdin.end(); }
}

let server, expected;
let shotNumber = 0;
fs.rmSync(shots, { recursive: true, force: true });  // a failure's pictures are this run's
fs.mkdirSync(shots, { recursive: true });

before(async () => {
  server = await serve(dist, { compress: true });
  expected = new Expected(process.env.BOLVENDA_WEB_EXPECTED);
  for (const name of ["Image3", "Image9", ...Array.from({ length: 21 }, (_, k) => `Label${k + 1}`)])
    design[name] = (await expected.ask(`rect ${name}`)).split(" ").map(Number);
});

after(async () => {
  await server?.close();
  expected?.close();
});

// fn is true in the page within the time; a page going away meanwhile (a reload) is waited for.
async function until(page, fn, ms, why) {
  for (const end = Date.now() + ms; Date.now() < end; await sleep(50)) {
    if (await page.evaluate(fn).catch(() => false)) return;
  }
  assert.fail(`${why}: not within ${ms} ms`);
}

const state = (page) => page.evaluate(() => document.documentElement.dataset.game);

async function open(browser, url, width = 792, height = 566, ratio = 1, touch = false) {
  const page = await browser.open(url, width, height, ratio, touch);
  await until(page, () => document.documentElement.dataset.game !== "loading", 30000, `${url} loading`);
  assert.equal(await state(page), "playing");
  await showSpeaker(page, false);
  const at = await page.evaluate(() => performance.getEntriesByName("playing")[0].startTime);
  console.log(`${browser.name}: playing ${at.toFixed(0)} ms after opening ${url.split(":")[0]} (${width} x ${height} x ${ratio})`);
  return page;
}

// Numbered in the order taken; polls of one wait share one file.
async function shot(page, name, poll = false) {
  if (!poll) ++shotNumber;
  const file = path.join(shots, `${String(shotNumber).padStart(2, "0")}-${name}.png`);
  await page.screenshot(file);
  return file;
}

// The pictures compared are the scene's alone: the page's speaker button is left out of them
// but while it is tried, and shown or hidden before the next frame is taken.
const showSpeaker = (page, shown) => page.evaluate((v) => new Promise((done) => {
  document.getElementById("sound").style.visibility = v;
  requestAnimationFrame(() => requestAnimationFrame(done));
}), shown ? "" : "hidden");

// The speaker button and the key M switch the sounds, and say so; the page remembers nothing.
async function speakerSwitches(page) {
  const pressed = () => page.evaluate(() => document.getElementById("sound").getAttribute("aria-pressed"));
  assert.equal(await page.evaluate(() => document.getElementById("sound").hidden), false, "no speaker button");
  assert.equal(await pressed(), "false", "the sounds start on");
  await showSpeaker(page, true);
  const at = await page.evaluate(() => { const r = document.getElementById("sound").getBoundingClientRect(); return { x: r.x + r.width / 2, y: r.y + r.height / 2 }; });
  await page.click(at.x, at.y);
  await until(page, () => document.getElementById("sound").getAttribute("aria-pressed") === "true", 5000, "muted by the button");
  await page.key("m");
  assert.equal(await pressed(), "false", "M switches the sounds on again");
  await showSpeaker(page, false);
  const stored = await page.evaluate(() => { try { return localStorage.length + document.cookie.length; } catch (e) { return 0; } });
  assert.equal(stored, 0, "the page stored something");
}

// The screen differs from `before` within a few seconds (a click is answered at once; the
// wait is for a loaded machine), or null.
async function nextShot(page, before, name) {
  const old = fs.readFileSync(before);
  ++shotNumber;
  for (let i = 0; i < 50; ++i) {
    const file = await shot(page, name, true);
    if (!fs.readFileSync(file).equals(old)) return file;
    await sleep(100);
  }
  return null;
}

// The page shows the offscreen render of the expected state. Tolerance: a channel one level
// off at no more than one pixel in 10 000, where the browser's FreeType, built for wasm32,
// covers a glyph's edge pixel one level differently; a wrong state differs by whole glyphs
// and pictures, by far more levels.
async function shows(page, name) {
  // Once still: the frog may be in the air for most of a second after a number's click.
  let file = await shot(page, name);
  for (let i = 0, before = null; i < 30 && !before?.equals(fs.readFileSync(file)); ++i) {
    before = fs.readFileSync(file);
    await sleep(150);
    file = await shot(page, name, true);
  }
  const answer = await expected.ask(`compare ${file}`);
  const [, far, near, pixels] = answer.match(/^differ (-?\d+) near (\d+) of (\d+)$/).map(Number);
  assert.ok(far === 0 && near <= pixels / 10000, `${name}: ${answer}; see ${file}`);
  return file;
}

// Where a design rectangle's centre is on the page, in CSS pixels.
async function centre(page, rect) {
  const { w, h, ratio } = await page.evaluate(() => ({ w: innerWidth, h: innerHeight, ratio: devicePixelRatio }));
  const [x, y] = (await expected.ask(`centre ${rect.join(" ")} ${Math.round(w * ratio)} ${Math.round(h * ratio)}`))
    .split(" ").map(Number);
  return { x: x / ratio, y: y / ratio };
}

// By mouse, or by touch where the page was opened for it.
async function press(page, rect, touch = false) {
  const p = await centre(page, rect);
  await (touch ? page.tap(p.x, p.y) : page.click(p.x, p.y));
}

async function startRound(page, before, name, touch = false) {
  await press(page, design.Image3, touch);
  const after = await nextShot(page, before, name);
  assert.ok(after, `${name}: the page did not change after the click`);
  const found = await expected.ask(`find ${after}`);
  assert.match(found, /^round \d+ \d+$/, `${name}: no single frog and fly in ${after}`);
  const [n1, somma] = found.split(" ").slice(1).map(Number);
  assert.ok(n1 < somma && somma <= 20);
  return { n1, somma };
}

const cursor = (page) => page.evaluate(() => getComputedStyle(document.getElementById("canvas")).cursor);

// The one scenario: start-up, the hand and the tooltip, a right and a wrong answer, the end
// and "Gioca di nuovo".
async function wholeGame(browser, url, tag) {
  const page = await open(browser, url);
  assert.equal(await page.evaluate(() => document.documentElement.lang), "it");
  assert.equal(await page.evaluate(() => document.querySelector("title").textContent), await expected.ask("title"));
  // The loading words stay painted behind the game, but are read out no more.
  assert.equal(await page.evaluate(() => document.getElementById("status").getAttribute("aria-hidden")), "true");

  await expected.ask("reset");
  let screen = await shows(page, `${tag}-start-up`);
  // Keys stay the browser's (focus, reload, zoom, full screen): the game takes none.
  await page.evaluate(() => addEventListener("keydown", (e) => (window.keyKept = e.defaultPrevented)));
  await page.key("Tab");
  assert.equal(await page.evaluate(() => window.keyKept), false, "the page kept a key from the browser");

  const over = await centre(page, design.Image9);
  await page.move(over.x, over.y);
  assert.match(await cursor(page), /^url\(/, "the hand over a picture that responds");
  // Its tooltip comes after a rest and goes by itself: no input but the wait.
  const hovered = await shot(page, `${tag}-hovered`);
  const tip = await nextShot(page, hovered, `${tag}-tooltip-shown`);
  assert.ok(tip, "no tooltip over the exit picture");
  const gone = await nextShot(page, tip, `${tag}-tooltip-gone`);
  assert.ok(gone && fs.readFileSync(gone).equals(fs.readFileSync(hovered)), "the tooltip stayed");
  const away = await centre(page, sky);
  await page.move(away.x, away.y);
  assert.equal(await cursor(page), "default", "the arrow elsewhere");

  const first = await startRound(page, screen, `${tag}-round-1-found`);
  await expected.ask(`round ${first.n1} ${first.somma} 1 0`);
  await shows(page, `${tag}-round-1`);
  // The click was the gesture Web Audio waits for: the game's sound has started there.
  await until(page, () => !!(window.Module.SDL2 && window.Module.SDL2.audioContext), 5000, "the game's audio");
  await speakerSwitches(page);
  await press(page, numberLabel(first.somma));
  await expected.ask(`answer ${first.n1} ${first.somma} ${first.somma} 1`);
  screen = await shows(page, `${tag}-right-answer`);

  const second = await startRound(page, screen, `${tag}-round-2-found`);
  await expected.ask(`round ${second.n1} ${second.somma} 2 1`);
  await shows(page, `${tag}-round-2`);
  const wrong = [second.somma + 1, second.somma - 1, second.somma + 2].find((d) => d >= 1 && d <= 20 && d !== 9);
  await press(page, numberLabel(wrong));
  await expected.ask(`answer ${second.n1} ${second.somma} ${wrong} 1`);
  await shows(page, `${tag}-wrong-answer`);

  await press(page, design.Image9);
  await until(page, () => document.documentElement.dataset.game !== "playing", 10000, "the end");
  assert.equal(await state(page), "ended");
  assert.equal(await page.evaluate(() => document.getElementById("canvas").hidden), true);
  assert.match(await page.evaluate(() => document.getElementById("message").innerText), /finito/);
  await shot(page, `${tag}-ended`);
  await page.evaluate(() => { window.before = true; document.getElementById("again").click(); });
  await until(page, () => !window.before && document.documentElement.dataset.game === "playing", 30000, "again");
  assert.deepEqual(page.errors ?? [], [], "errors in the console");
  await page.close();
}

// Touch taps at another size and pixel ratio 2: one click each, on the right number.
async function touchGame(browser, url) {
  const page = await open(browser, url, 1000, 700, 2, true);
  // A tap that also arrived as the browser's mouse emulation would be two clicks.
  await page.evaluate(() => {
    window.mouseDowns = 0;
    document.getElementById("canvas").addEventListener("mousedown", () => ++window.mouseDowns);
  });
  await expected.ask("reset");
  let screen = await shows(page, "scaled-start-up");

  // The round is read at the design size, then the page goes back to its own.
  await press(page, design.Image3, true);
  assert.ok(await nextShot(page, screen, "scaled-round"));
  await page.size(792, 566, 1, true);
  await until(page, () => innerWidth === 792, 5000, "the design size");
  const found = await expected.ask(`find ${await shot(page, "scaled-round-found")}`);
  assert.match(found, /^round \d+ \d+$/);
  const [n1, somma] = found.split(" ").slice(1).map(Number);
  await page.size(1000, 700, 2, true);
  await until(page, () => innerWidth === 1000, 5000, "the page's size");
  await expected.ask(`round ${n1} ${somma} 1 0`);
  screen = await shows(page, "scaled-round");

  await press(page, numberLabel(somma), true);
  await expected.ask(`answer ${n1} ${somma} ${somma} 1`);
  await shows(page, "scaled-right-answer");
  assert.equal(await page.evaluate(() => window.mouseDowns), 0);
  await page.close();
}

const fromDisk = () => "file://" + path.resolve(dist, "index.html");

for (const engine of engines) {
  describe(engine, () => {
    let browser = null;
    before(async () => { browser = await launch(engine, puppeteer); });
    after(async () => { await browser?.close(); });
    const run = (name, body) => test(name, async (t) => (browser ? body() : t.skip(`${engine} is not installed`)));

    run("a whole game over http", () => wholeGame(browser, server.url, engine));
    run("a whole game opened from disk, as from a USB stick", () => wholeGame(browser, fromDisk(), `${engine}-file`));
    if (engine !== "webkit") run("touch taps at pixel ratio 2", () => touchGame(browser, server.url));

    if (engine !== "chromium") return;
    run("an idle page costs its renderer next to no CPU", async () => {
      const page = await open(browser, server.url);
      const away = await centre(page, sky);
      await page.move(away.x, away.y);
      await sleep(1000);
      const cdp = await browser.raw.target().createCDPSession();
      const rendererTime = async () => {
        const { processInfo } = await cdp.send("SystemInfo.getProcessInfo");
        return processInfo.filter((p) => p.type === "renderer").reduce((sum, p) => sum + p.cpuTime, 0);
      };
      const start = await rendererTime();
      const t0 = Date.now();
      await sleep(5000);
      const share = (await rendererTime() - start) / ((Date.now() - t0) / 1000);
      console.log(`idle renderer CPU over 5 s: ${(share * 100).toFixed(2)} %`);
      // A frame loop at the display's rate costs some 5 %; an event-driven page almost nothing.
      assert.ok(share < 0.02, `renderer used ${(share * 100).toFixed(2)} % CPU while idle`);
      await page.close();
    });

    run("installable, and once visited it starts without a network", async () => {
      const page = await open(browser, server.url);
      const cdp = await page.raw.createCDPSession();
      const { installabilityErrors } = await cdp.send("Page.getInstallabilityErrors");
      assert.deepEqual(installabilityErrors, []);
      const kept = await page.evaluate(async () => {
        await navigator.serviceWorker.ready;
        const names = await caches.keys();
        return { names, files: names.length && (await (await caches.open(names[0])).keys()).length };
      });
      assert.match(kept.names.join(), /^bolvenda-\d+\.\d+\.\d+-[0-9a-f]{12}$/);
      assert.ok(kept.files >= 5, `only ${kept.files} files kept`);
      await page.close();
      server.offline = true;
      try {
        const again = await open(browser, server.url);
        await expected.ask("reset");
        await shows(again, "offline-start-up");
        await again.close();
      } finally {
        server.offline = false;
      }
    });
  });
}
