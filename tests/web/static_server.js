// A static file server for one folder, on 127.0.0.1 only and a port the system picks. With
// `compress`, it sends the precompressed copy beside a file (NAME.br, NAME.gz) where the
// request accepts it, as a server set up for the game would.
"use strict";
const http = require("node:http");
const fs = require("node:fs");
const path = require("node:path");

const types = {
  ".html": "text/html; charset=utf-8",
  ".js": "text/javascript; charset=utf-8",
  ".wasm": "application/wasm",
  ".ico": "image/vnd.microsoft.icon",
  ".png": "image/png",
  ".webmanifest": "application/manifest+json",
};

function encodings(request) {
  const accepted = String(request.headers["accept-encoding"] || "");
  return [["br", ".br"], ["gzip", ".gz"]].filter(([name]) => new RegExp(`\\b${name}\\b`).test(accepted));
}

// Resolves to {url, close(), offline, requests}: offline true answers every request with a
// closed socket; requests lists the path of every request, answered or not.
function serve(folder, { compress = false } = {}) {
  const root = path.resolve(folder);
  const handle = {};
  const server = http.createServer((request, response) => {
    handle.requests.push(request.url);
    if (handle.offline) return request.socket.destroy();
    const name = decodeURIComponent(new URL(request.url, "http://127.0.0.1").pathname);
    const file = path.join(root, name.endsWith("/") ? name + "index.html" : name);
    if (!file.startsWith(root + path.sep)) {
      response.writeHead(403).end();
      return;
    }
    const headers = { "Content-Type": types[path.extname(file)] || "application/octet-stream", Vary: "Accept-Encoding" };
    const [encoding, suffix] = (compress && encodings(request).find(([, s]) => fs.existsSync(file + s))) || [];
    if (encoding) headers["Content-Encoding"] = encoding;
    fs.readFile(file + (suffix || ""), (error, data) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      response.writeHead(200, headers);
      response.end(data);
    });
  });
  return new Promise((resolve, reject) => {
    server.once("error", reject);
    server.listen(0, "127.0.0.1", () => {
      Object.assign(handle, {
        url: `http://127.0.0.1:${server.address().port}/`,
        offline: false,
        requests: [],
        close: () => new Promise((done) => { server.closeAllConnections(); server.close(done); }),
      });
      resolve(handle);
    });
  });
}

module.exports = { serve };
