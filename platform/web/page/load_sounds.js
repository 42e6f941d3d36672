// Fetches the game's sounds once the game plays and hands them to it. They come in Opus,
// decoded by the browser itself into the plain WAV the game reads; a browser that cannot decode
// them fetches the game's own ADPCM copies instead. From disk, where nothing may be fetched,
// each bundle is read as a script.
"use strict";
window.bolvendaLoadSounds = function (Module, host, fromDisk) {
  bundle("bolvenda.sounds").then(decodeBundle).then(function (bytes) {
    Module.soundsFrom = "opus";
    return bytes;
  }, function () {
    return bundle("bolvenda.adpcm.sounds").then(function (bytes) {
      Module.soundsFrom = "adpcm";
      return bytes;
    });
  }).then(function (bytes) {
    Module.soundBytes = bytes;
    Module._bolvenda_sounds_arrived(host, bytes.length);
  }, function () {});

  // A bundle's bytes: fetched, or from disk, where nothing may be fetched, read as a script.
  function bundle(name) {
    if (!fromDisk) {
      return fetch(name, { credentials: "same-origin" }).then(function (response) {
        if (!response.ok) throw new Error(name + ": " + response.status);
        return response.arrayBuffer();
      }).then(function (buffer) { return new Uint8Array(buffer); });
    }
    return new Promise(function (resolve, reject) {
      window.bolvendaSounds = function (base64) {
        var text = atob(base64), bytes = new Uint8Array(text.length);
        for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
        resolve(bytes);
      };
      var script = document.createElement("script");
      script.src = name + ".js";
      script.onerror = reject;
      document.body.appendChild(script);
    });
  }

  // Each file of a bundle (a byte of its name's length, its name, four bytes of its length,
  // little-endian, and its bytes) decoded at the game's rate and written again as a WAV.
  function decodeBundle(bytes) {
    var files = [], at = 0;
    while (at < bytes.length) {
      var nameLength = bytes[at];
      var name = String.fromCharCode.apply(null, bytes.subarray(at + 1, at + 1 + nameLength));
      at += 1 + nameLength;
      var size = (bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16) + bytes[at + 3] * 16777216;
      files.push({ name: name.replace(/\.opus$/, ".wav"), bytes: bytes.slice(at + 4, at + 4 + size) });
      at += 4 + size;
    }
    var Offline = window.OfflineAudioContext || window.webkitOfflineAudioContext;
    var context;
    try {
      context = new Offline(1, 1, 16000);
    } catch (e) {
      context = new Offline(1, 1, 44100);  // an older browser's least rate: the game resamples
    }
    return Promise.all(files.map(function (file) {
      return new Promise(function (resolve, reject) {
        var decoding = context.decodeAudioData(file.bytes.buffer, resolve, reject);
        if (decoding && decoding.catch) decoding.catch(reject);
      }).then(function (audio) { return { name: file.name, bytes: wave(audio) }; });
    })).then(function (decoded) {
      var total = 0;
      decoded.forEach(function (file) { total += 5 + file.name.length + file.bytes.length; });
      var out = new Uint8Array(total), place = 0;
      decoded.forEach(function (file) {
        var n = file.bytes.length;
        out[place] = file.name.length;
        for (var i = 0; i < file.name.length; ++i) out[place + 1 + i] = file.name.charCodeAt(i);
        place += 1 + file.name.length;
        out.set([n & 255, n >> 8 & 255, n >> 16 & 255, n >>> 24], place);
        out.set(file.bytes, place + 4);
        place += 4 + n;
      });
      return out;
    });
  }

  // The first channel of decoded audio as a mono 16-bit PCM WAV.
  function wave(audio) {
    var samples = audio.getChannelData(0), data = samples.length * 2;
    var bytes = new Uint8Array(44 + data), view = new DataView(bytes.buffer);
    var text = function (at, s) { for (var i = 0; i < 4; ++i) bytes[at + i] = s.charCodeAt(i); };
    text(0, "RIFF"); view.setUint32(4, 36 + data, true); text(8, "WAVE");
    text(12, "fmt "); view.setUint32(16, 16, true); view.setUint16(20, 1, true);
    view.setUint16(22, 1, true); view.setUint32(24, audio.sampleRate, true);
    view.setUint32(28, audio.sampleRate * 2, true); view.setUint16(32, 2, true);
    view.setUint16(34, 16, true); text(36, "data"); view.setUint32(40, data, true);
    for (var i = 0; i < samples.length; ++i) {
      var s = Math.max(-1, Math.min(1, samples[i]));
      view.setInt16(44 + i * 2, Math.round(s * 32767), true);
    }
    return bytes;
  }
};
