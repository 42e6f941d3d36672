// Finishes the browser's site once the game is linked: the WebAssembly again as a script for
// a page opened from disk, its size for the loading progress, the service worker with the
// files of this version and a cache named by their contents, and compressed copies of every
// text file for servers that send them as they are.
// Usage: node finish_site.js SITE_DIR VERSION
"use strict";
const fs = require("node:fs");
const path = require("node:path");
const zlib = require("node:zlib");
const crypto = require("node:crypto");

const [site, version] = process.argv.slice(2);
const at = (name) => path.join(site, name);

const wasm = fs.readFileSync(at("bolvenda.wasm"));
fs.writeFileSync(at("bolvenda.wasm.js"), `bolvendaWasm("${wasm.toString("base64")}");\n`);
const page = fs.readFileSync(at("index.html.in"), "utf8").replace("@BOLVENDA_WASM_BYTES@", String(wasm.length));
fs.writeFileSync(at("index.html"), page);

// What the page loads over http; the disk's copies of the WebAssembly and the sounds are not
// among them.
const files = ["index.html", "bolvenda.js", "bolvenda.wasm", "load_sounds.js", "bolvenda.sounds", "favicon.ico", "manifest.webmanifest",
  ...fs.readdirSync(at("icons")).sort().map((f) => `icons/${f}`)];
const hash = crypto.createHash("sha256");
for (const f of files) hash.update(f).update(fs.readFileSync(at(f)));
const worker = fs.readFileSync(at("sw.js.in"), "utf8")
  .replace("@BOLVENDA_CACHE@", `bolvenda-${version}-${hash.digest("hex").slice(0, 12)}`)
  .replace("@BOLVENDA_FILES@", JSON.stringify(files));
fs.writeFileSync(at("sw.js"), worker);

// The icons are PNG, compressed already. The sounds' WAV copies are only for a browser that
// cannot decode Opus: fetched by such a one, never kept by the worker.
for (const f of [...files.filter((f) => !f.startsWith("icons/")), "sw.js", "bolvenda.adpcm.sounds"]) {
  const data = fs.readFileSync(at(f));
  fs.writeFileSync(at(f + ".gz"), zlib.gzipSync(data, { level: 9 }));
  fs.writeFileSync(at(f + ".br"), zlib.brotliCompressSync(data, {
    params: { [zlib.constants.BROTLI_PARAM_QUALITY]: 11, [zlib.constants.BROTLI_PARAM_SIZE_HINT]: data.length } }));
}
