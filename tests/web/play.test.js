// The browser game in Debian's Chromium, headless, served from 127.0.0.1 and opened from disk:
// the same play as the real-window tests, every screen held pixel for pixel against the
// offscreen render of the same state, touch taps, another size at pixel ratio 2, idle CPU.
"use strict";
const { test, before, after } = require("node:test");
const assert = require("node:assert/strict");
const { spawn } = require("node:child_process");
const fs = require("node:fs");
const os = require("node:os");
const path = require("node:path");
const readline = require("node:readline");
const { serve } = require("./static_server.js");

const dist = process.env.BOLVENDA_WEB_DIST;
const shots = process.env.BOLVENDA_WEB_SHOTS || fs.mkdtempSync(path.join(os.tmpdir(), "bolvenda-shots-"));
let puppeteer = null;
try {
  puppeteer = require("puppeteer-core");
} catch {}
if (!dist || !fs.existsSync(path.join(dist, "index.html")) || !puppeteer) {
  console.log("web tests skipped: no dist/web (bash scripts/web.sh) or no puppeteer-core (tests/web/setup.sh)");
  process.exit(77);
}

// Design rectangles: left, top, width, height.
const newRound = [8, 512, 64, 37];  // Image3
const exitPicture = [80, 504, 81, 51];  // Image9
const sky = [300, 80, 10, 10];  // no element, no tooltip
const numberLabel = (n) => [48 + 32 * n, 480, 33, 33];

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

let browser, server, expected;
let shotNumber = 0;
fs.rmSync(shots, { recursive: true, force: true });  // a failure's pictures are this run's
fs.mkdirSync(shots, { recursive: true });

before(async () => {
  server = await serve(dist);
  expected = new Expected(process.env.BOLVENDA_WEB_EXPECTED);
  browser = await puppeteer.launch({
    executablePath: "/usr/bin/chromium",
    headless: true,
    userDataDir: fs.mkdtempSync(path.join(os.tmpdir(), "bolvenda-chromium-")),
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync",
           "--force-color-profile=srgb"],
  });
});

after(async () => {
  await browser?.close();
  await server?.close();
  expected?.close();
});

async function open(url, width = 792, height = 566, ratio = 1, touch = false) {
  const page = await browser.newPage();
  page.on("pageerror", (e) => console.log("page error:", e.message));
  await page.setViewport({ width, height, deviceScaleFactor: ratio, hasTouch: touch });
  await page.goto(url);
  await page.waitForFunction(() => document.documentElement.dataset.game !== "loading", { timeout: 30000 });
  assert.equal(await state(page), "playing");
  return page;
}

const state = (page) => page.evaluate(() => document.documentElement.dataset.game);

// Numbered in the order taken; polls of one wait share one file.
async function shot(page, name, poll = false) {
  if (!poll) ++shotNumber;
  const file = path.join(shots, `${String(shotNumber).padStart(2, "0")}-${name}.png`);
  await page.screenshot({ path: file });
  return file;
}

// The screen differs from `before` within a few seconds (a click is answered at once; the
// wait is for a loaded machine), or null.
async function nextShot(page, before, name) {
  const old = fs.readFileSync(before);
  ++shotNumber;
  for (let i = 0; i < 50; ++i) {
    const file = await shot(page, name, true);
    if (!fs.readFileSync(file).equals(old)) return file;
    await new Promise((r) => setTimeout(r, 100));
  }
  return null;
}

// The page shows the offscreen render of the expected state. Tolerance: a channel one level
// off at no more than one pixel in 10 000, where the browser's FreeType, built for wasm32,
// covers a glyph's edge pixel one level differently; a wrong state differs by whole glyphs
// and pictures, by far more levels.
async function shows(page, name) {
  const file = await shot(page, name);
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

async function click(page, rect) {
  const p = await centre(page, rect);
  await page.mouse.click(p.x, p.y);
}

async function startRound(page, before, name, tap = null) {
  if (tap) await tap(newRound);
  else await click(page, newRound);
  const after = await nextShot(page, before, name);
  assert.ok(after, `${name}: the page did not change after the click`);
  const found = await expected.ask(`find ${after}`);
  assert.match(found, /^round \d+ \d+$/, `${name}: no single frog and fly in ${after}`);
  const [n1, somma] = found.split(" ").slice(1).map(Number);
  assert.ok(n1 < somma && somma <= 20);
  return { n1, somma };
}

const cursor = (page) => page.evaluate(() => getComputedStyle(document.getElementById("canvas")).cursor);

test("a whole game: start-up, a right and a wrong answer, tooltips, pointers, the end", async () => {
  const page = await open(server.url);
  assert.equal(await page.evaluate(() => document.documentElement.lang), "it");
  assert.equal(await page.evaluate(() => document.querySelector("title").textContent), await expected.ask("title"));
  const icon = await page.evaluate(async () => (await fetch(document.querySelector("link[rel=icon]").href)).status);
  assert.equal(icon, 200);

  await expected.ask("reset");
  let screen = await shows(page, "start-up");
  // Keys stay the browser's (reload, zoom, full screen): the game takes none.
  await page.evaluate(() => addEventListener("keydown", (e) => (window.keyKept = e.defaultPrevented)));
  await page.keyboard.press("F5");
  assert.equal(await page.evaluate(() => window.keyKept), false, "the page kept a key from the browser");

  const over = await centre(page, exitPicture);
  await page.mouse.move(over.x, over.y);
  assert.match(await cursor(page), /^url\(/, "the hand over a picture that responds");
  // Its tooltip comes after a rest and goes by itself: no input but the wait.
  const hovered = await shot(page, "hovered");
  const tip = await nextShot(page, hovered, "tooltip-shown");
  assert.ok(tip, "no tooltip over the exit picture");
  const gone = await nextShot(page, tip, "tooltip-gone");
  assert.ok(gone && fs.readFileSync(gone).equals(fs.readFileSync(hovered)), "the tooltip stayed");
  const away = await centre(page, sky);
  await page.mouse.move(away.x, away.y);
  assert.equal(await cursor(page), "default", "the arrow elsewhere");

  const first = await startRound(page, screen, "round-1-found");
  await expected.ask(`round ${first.n1} ${first.somma} 1 0`);
  await shows(page, "round-1");
  await click(page, numberLabel(first.somma));
  await expected.ask(`answer ${first.n1} ${first.somma} ${first.somma} 1`);
  screen = await shows(page, "right-answer");

  const second = await startRound(page, screen, "round-2-found");
  await expected.ask(`round ${second.n1} ${second.somma} 2 1`);
  await shows(page, "round-2");
  const wrong = [second.somma + 1, second.somma - 1, second.somma + 2].find((d) => d >= 1 && d <= 20 && d !== 9);
  await click(page, numberLabel(wrong));
  await expected.ask(`answer ${second.n1} ${second.somma} ${wrong} 1`);
  await shows(page, "wrong-answer");

  await click(page, exitPicture);
  await page.waitForFunction(() => document.documentElement.dataset.game !== "playing", { timeout: 10000 });
  assert.equal(await state(page), "ended");
  assert.equal(await page.evaluate(() => document.getElementById("canvas").hidden), true);
  assert.match(await page.$eval("#message", (e) => e.innerText), /finito/);
  await shot(page, "ended");
  await Promise.all([page.waitForNavigation(), page.click("#again")]);
  await page.waitForFunction(() => document.documentElement.dataset.game === "playing", { timeout: 30000 });
  await page.close();
});

test("touch taps at another size and pixel ratio 2: one click each, on the right number", async () => {
  const page = await open(server.url, 1000, 700, 2, true);
  const cdp = await page.createCDPSession();
  await cdp.send("Emulation.setTouchEmulationEnabled", { enabled: true, maxTouchPoints: 1 });
  // A tap that also arrived as the browser's mouse emulation would be two clicks.
  await page.evaluate(() => {
    window.mouseDowns = 0;
    document.getElementById("canvas").addEventListener("mousedown", () => ++window.mouseDowns);
  });
  const tap = async (rect) => {
    const p = await centre(page, rect);
    await page.touchscreen.tap(p.x, p.y);
  };
  await expected.ask("reset");
  let screen = await shows(page, "scaled-start-up");

  // The round is read at the design size, then the page goes back to its own.
  await tap(newRound);
  assert.ok(await nextShot(page, screen, "scaled-round"));
  await page.setViewport({ width: 792, height: 566, deviceScaleFactor: 1, hasTouch: true });
  const found = await expected.ask(`find ${await shot(page, "scaled-round-found")}`);
  assert.match(found, /^round \d+ \d+$/);
  const [n1, somma] = found.split(" ").slice(1).map(Number);
  await page.setViewport({ width: 1000, height: 700, deviceScaleFactor: 2, hasTouch: true });
  await expected.ask(`round ${n1} ${somma} 1 0`);
  screen = await shows(page, "scaled-round");

  await tap(numberLabel(somma));
  await expected.ask(`answer ${n1} ${somma} ${somma} 1`);
  await shows(page, "scaled-right-answer");
  assert.equal(await page.evaluate(() => window.mouseDowns), 0);
  await page.close();
});

test("an idle page costs its renderer next to no CPU", async () => {
  const page = await open(server.url);
  const away = await centre(page, sky);
  await page.mouse.move(away.x, away.y);
  await new Promise((r) => setTimeout(r, 1000));
  const cdp = await browser.target().createCDPSession();
  const rendererTime = async () => {
    const { processInfo } = await cdp.send("SystemInfo.getProcessInfo");
    return processInfo.filter((p) => p.type === "renderer").reduce((sum, p) => sum + p.cpuTime, 0);
  };
  const start = await rendererTime();
  const t0 = Date.now();
  await new Promise((r) => setTimeout(r, 5000));
  const share = (await rendererTime() - start) / ((Date.now() - t0) / 1000);
  console.log(`idle renderer CPU over 5 s: ${(share * 100).toFixed(2)} %`);
  // A frame loop at the display's rate costs some 5 %; an event-driven page almost nothing.
  assert.ok(share < 0.02, `renderer used ${(share * 100).toFixed(2)} % CPU while idle`);
  await page.close();
});

test("opened from disk, as from a USB stick", async () => {
  const page = await open("file://" + path.resolve(dist, "index.html"));
  await expected.ask("reset");
  const screen = await shows(page, "file-start-up");
  await click(page, newRound);
  assert.ok(await nextShot(page, screen, "file-round"), "the page from disk did not answer the click");
  await page.close();
});
