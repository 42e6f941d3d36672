// One thin driver per browser engine, all with the same page: Debian's Chromium and Firefox ESR
// through puppeteer-core (CDP and WebDriver BiDi), WebKitGTK through W3C WebDriver over http
// (WebKitWebDriver and its MiniBrowser, in a private Xvfb). A missing browser is null.
"use strict";
const { spawn } = require("node:child_process");
const fs = require("node:fs");
const net = require("node:net");
const os = require("node:os");
const path = require("node:path");

const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// A page: evaluate(fn, ...args), screenshot(file), move/click/tap(x, y) in CSS pixels,
// key(name), size(width, height, ratio, touch), close(); errors: the console's, where it is read.
// open(url, width, height, ratio, touch, calm): calm asks for reduced motion (Chromium, Firefox).
function puppeteerPage(page, firefox) {
  // Firefox's synthesized touch refuses puppeteer's touch radius: a bare touch, through BiDi.
  const bareTap = (x, y) => page.mainFrame().browsingContext.performActions([{ type: "pointer", id: "finger",
    parameters: { pointerType: "touch" }, actions: [{ type: "pointerMove", x: Math.round(x), y: Math.round(y) },
      { type: "pointerDown", button: 0 }, { type: "pointerUp", button: 0 }] }]);
  return {
    evaluate: (fn, ...args) => page.evaluate(fn, ...args),
    screenshot: (file) => page.screenshot({ path: file }),
    move: (x, y) => page.mouse.move(x, y),
    click: (x, y) => page.mouse.click(x, y),
    tap: (x, y) => (firefox ? bareTap(x, y) : page.touchscreen.tap(x, y)),
    key: (name) => page.keyboard.press(name),
    size: (width, height, ratio, touch) => page.setViewport({ width, height, deviceScaleFactor: ratio, hasTouch: touch }),
    close: () => page.close(),
    raw: page,
  };
}

async function puppeteerBrowser(name, puppeteer) {
  const chromium = name === "chromium";
  const executablePath = chromium ? "/usr/bin/chromium" : "/usr/bin/firefox-esr";
  if (!fs.existsSync(executablePath)) return null;
  // Its profiles are this run's alone, and removed with it.
  const profiles = [];
  const profile = () => profiles[profiles.push(fs.mkdtempSync(path.join(os.tmpdir(), `bolvenda-${name}-`))) - 1];
  // Firefox emulates no media features over BiDi: reduced motion is a second Firefox's setting.
  const firefox = (prefs) => puppeteer.launch({
    browser: "firefox", protocol: "webDriverBiDi", executablePath, headless: true, userDataDir: profile(),
    extraPrefsFirefox: { "dom.w3c_touch_events.enabled": 1, ...prefs },  // headless, it sees no touch screen
  });
  const browser = await (chromium ? puppeteer.launch({
    executablePath, headless: true, userDataDir: profile(),
    args: ["--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run", "--disable-background-networking",
           "--disable-component-update", "--disable-sync", "--force-color-profile=srgb"],
  }) : firefox({}));
  let calmFirefox = null;
  return {
    name,
    raw: browser,
    async open(url, width, height, ratio, touch, calm) {
      if (calm && !chromium) calmFirefox ??= await firefox({ "ui.prefersReducedMotion": 1 });
      const page = await (calm && !chromium ? calmFirefox : browser).newPage();
      // Read once as the game starts: asked for before the page loads.
      if (calm && chromium) await page.emulateMediaFeatures([{ name: "prefers-reduced-motion", value: "reduce" }]);
      const errors = [];
      page.on("pageerror", (e) => errors.push(e.message));
      page.on("console", (m) => m.type() === "error" && errors.push(m.text()));
      await page.setViewport({ width, height, deviceScaleFactor: ratio, hasTouch: touch });
      if (chromium && touch) {
        const cdp = await page.createCDPSession();
        await cdp.send("Emulation.setTouchEmulationEnabled", { enabled: true, maxTouchPoints: 1 });
      }
      await page.goto(url);
      return { ...puppeteerPage(page, !chromium), errors };
    },
    async close() {
      await calmFirefox?.close();
      await browser.close();
      for (const dir of profiles) fs.rmSync(dir, { recursive: true, force: true });
    },
  };
}

const freePort = () => new Promise((resolve) => {
  const probe = net.createServer().listen(0, "127.0.0.1", () => {
    const { port } = probe.address();
    probe.close(() => resolve(port));
  });
});

// WebKitGTK: its MiniBrowser wants a display, so it gets a private Xvfb of its own.
async function webkitBrowser(logs) {
  const miniBrowser = ["x86_64-linux-gnu", "aarch64-linux-gnu"]
    .map((arch) => `/usr/lib/${arch}/webkit2gtk-4.1/MiniBrowser`).find((f) => fs.existsSync(f));
  if (!miniBrowser || !fs.existsSync("/usr/bin/WebKitWebDriver") || !fs.existsSync("/usr/bin/Xvfb")) return null;
  // -noreset: a browser leaving last would otherwise drop the next one's connection.
  const xvfb = spawn("Xvfb", ["-displayfd", "3", "-screen", "0", "1600x1200x24", "-nolisten", "tcp", "-noreset"],
                     { stdio: ["ignore", "ignore", "ignore", "pipe"] });
  const display = await new Promise((resolve) => xvfb.stdio[3].once("data", (d) => resolve(`:${String(d).trim()}`)));
  const port = await freePort();
  // Its log, and its browser's and pages', is kept: a lost page quotes its end.
  const logFile = path.join(logs, "webkit.log");
  const log = fs.openSync(logFile, "w");
  // Painted by the CPU alone. Under load WebKit hands some painting to Skia's GPU backend, here
  // Mesa's software GL, whose shaders for the canvas failed to compile once in CI (an SkSL
  // error in the log) and left the page blank; screenshots are held pixel for pixel.
  const env = { ...process.env, DISPLAY: display, WEBKIT_SKIA_ENABLE_CPU_RENDERING: "1" };
  const driver = spawn("WebKitWebDriver", [`--port=${port}`], { stdio: ["ignore", log, log], env });
  fs.closeSync(log);
  const logEnd = () => fs.readFileSync(logFile, "utf8").split("\n").filter((l) => l.trim()).slice(-15).join("\n");
  const base = `http://127.0.0.1:${port}`;
  const call = async (method, route, body) => {
    const response = await fetch(base + route, { method, body: body && JSON.stringify(body),
                                                  headers: { "Content-Type": "application/json" } });
    const { value } = await response.json();
    if (!response.ok) {
      // Said when its connection to the browser is gone.
      const pageLost = /page crash or hang/.test(value.message);
      const error = new Error(`WebDriver ${route}: ${value.error}: ${value.message}` +
                              (pageLost ? `\nwebkit.log ends:\n${logEnd()}` : ""));
      throw Object.assign(error, { pageLost });
    }
    return value;
  };
  for (let i = 0; ; ++i) {
    try {
      await call("GET", "/status");
      break;
    } catch (error) {
      if (i === 50) throw error;
      await sleep(100);
    }
  }
  const stop = () => { driver.kill(); xvfb.kill(); };
  let session = null;
  return {
    name: "webkit",
    async open(url, width, height) {
      // One session at a time: a test that failed before closing its page leaves it open.
      if (session) await call("DELETE", `/session/${session}`).catch(() => {});
      const { sessionId } = await call("POST", "/session", { capabilities: { alwaysMatch: {
        "webkitgtk:browserOptions": { binary: miniBrowser, args: ["--automation"] } } } });
      session = sessionId;
      const at = (route) => `/session/${sessionId}${route}`;
      const evaluate = (fn, ...args) => call("POST", at("/execute/sync"),
        { script: `return (${fn}).apply(null, arguments)`, args });
      const pointer = (type, actions) => call("POST", at("/actions"), { actions: [
        { type: "pointer", id: type, parameters: { pointerType: type }, actions }] });
      const to = (x, y) => ({ type: "pointerMove", x: Math.round(x), y: Math.round(y), origin: "viewport", duration: 0 });
      const page = {
        evaluate,
        // Its snapshot fails now and then with no message while the machine is busy: tried again.
        async screenshot(file) {
          for (let i = 0; ; ++i) {
            try {
              fs.writeFileSync(file, Buffer.from(await call("GET", at("/screenshot")), "base64"));
              return;
            } catch (error) {
              if (i === 5 || !/unknown error/.test(error.message)) throw error;
              await sleep(200);
            }
          }
        },
        move: (x, y) => pointer("mouse", [to(x, y)]),
        click: (x, y) => pointer("mouse", [to(x, y), { type: "pointerDown", button: 0 }, { type: "pointerUp", button: 0 }]),
        tap: (x, y) => pointer("touch", [to(x, y), { type: "pointerDown", button: 0 }, { type: "pointerUp", button: 0 }]),
        key: (name) => call("POST", at("/actions"), { actions: [{ type: "key", id: "keyboard", actions: [
          { type: "keyDown", value: keys[name] ?? name }, { type: "keyUp", value: keys[name] ?? name }] }] }),
        // The window is sized so that its page is (no other pixel ratio than the screen's).
        async size(w, h) {
          await call("POST", at("/window/rect"), { width: w, height: h });
          const inner = await evaluate(() => ({ w: innerWidth, h: innerHeight }));
          await call("POST", at("/window/rect"), { width: 2 * w - inner.w, height: 2 * h - inner.h });
        },
        close: async () => { await call("DELETE", at("")); session = null; },
      };
      await page.size(width, height);
      await call("POST", at("/url"), { url });
      return page;
    },
    async close() {
      if (session) await call("DELETE", `/session/${session}`).catch(() => {});
      stop();
    },
  };
}

// WebDriver names the special keys by code points of its own; a character is itself.
const keys = { Tab: "\uE004" };

// logs: where a browser's own log is written.
async function launch(name, puppeteer, logs) {
  return name === "webkit" ? webkitBrowser(logs) : puppeteerBrowser(name, puppeteer);
}

module.exports = { launch, sleep };
