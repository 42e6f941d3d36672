#!/usr/bin/env bash
# The layers' arrows, held: every `#include "…"` of the game's folders names only its own layer
# or one below it (game -> scene -> runtime; play -> game; render -> scene; platform -> play,
# render, but not the other platform; app -> anything). SDL's headers stay with the desktop
# and the tools, emscripten's with the browser, and play/ has no #if. Each fault is named by
# file and line; any fails the suite.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(find runtime scene game play render platform app tests bench tools \
    \( -name '*.cpp' -o -name '*.hpp' -o -name '*.h' -o -name '*.hpp.in' \) | sort)
awk '
function layer(path, p) {
    split(path, p, "/")
    return p[1] == "platform" && (p[2] == "sdl" || p[2] == "web") ? p[1] "/" p[2] : p[1]
}
BEGIN {
    below["runtime"] = " runtime "
    below["scene"] = " scene runtime "
    below["game"] = " game scene runtime "
    below["play"] = " play game scene runtime "
    below["render"] = " render scene runtime "
    below["platform/sdl"] = " platform/sdl play render game scene runtime "
    below["platform/web"] = " platform/web play render game scene runtime "
    below["app"] = " app platform/sdl platform/web play render game scene runtime "
}
function fault(why) { printf "%s:%d: %s\n    %s\n", FILENAME, FNR, why, $0; bad = 1 }
/^[ \t]*#[ \t]*include[ \t]*"/ && layer(FILENAME) in below {
    match($0, /"[^"]*"/)
    named = substr($0, RSTART + 1, RLENGTH - 2)
    to = named ~ /\// ? layer(named) : "(no layer)"
    # Code kept as it came is no layer of ours.
    if (to != "third_party" && index(below[layer(FILENAME)], " " to " ") == 0)
        fault(layer(FILENAME) " may not include " to)
}
/^[ \t]*#[ \t]*include[ \t]*[<"]SDL/ &&
    FILENAME !~ /^(platform\/sdl|tests|bench|tools)\/|^app\/main\.cpp$|^app\/painter_startup\./ {
    fault("SDL outside the desktop platform")
}
/^[ \t]*#[ \t]*include[ \t]*[<"]emscripten/ && FILENAME !~ /^platform\/web\/|^app\/web_main\.cpp$/ {
    fault("emscripten outside the browser platform")
}
/^[ \t]*#[ \t]*if/ && FILENAME ~ /^play\// { fault("play/ runs the same on every platform: no #if") }
END { exit bad }
' "${files[@]}" || { echo "layers: includes against the arrows (design.md, Layout)"; exit 1; }
echo "layers: ${#files[@]} files include along the arrows"
