// Writes the game's sounds as one file the page fetches once the game plays, so that the first
// load carries only what the first frame needs: BUNDLE (each file as a byte of its name's
// length, its name, four bytes of its length, little-endian, and its bytes) and, for a page
// opened from disk that may not fetch, the same as a script, BUNDLE.js.
// Usage: node bundle_sounds.js BUNDLE SOUND_FILE...
"use strict";
const fs = require("node:fs");
const path = require("node:path");

const [bundleFile, ...sounds] = process.argv.slice(2);
const parts = [];
for (const file of sounds) {
  const name = Buffer.from(path.basename(file), "utf8");
  const bytes = fs.readFileSync(file);
  const length = Buffer.alloc(4);
  length.writeUInt32LE(bytes.length);
  parts.push(Buffer.from([name.length]), name, length, bytes);
}
const bundle = Buffer.concat(parts);
fs.writeFileSync(bundleFile, bundle);
fs.writeFileSync(bundleFile + ".js", `bolvendaSounds("${bundle.toString("base64")}");\n`);
