#!/usr/bin/env bash
# Renders the game's sounds into scene/assets/sounds/: the pond's effects, synthesised by sox
# from the descriptions below, and the Italian words, spoken by festival's Italian diphone
# voice lp (festvox-italp16k). Each is trimmed of silence, faded in and out (no click), brought
# to one loudness with its peaks at most -6 dBFS, and written as mono IMA ADPCM WAV: the effects
# at 11025 Hz (their tones and buzz lie low), raised to the game's 16000 Hz when they are decoded; the
# words at 16000 Hz, the voice's own rate, whole: the hiss of "s" and the buzz of "z" between
# 4 and 8 kHz are what tell "sei" from "tre" and "sedici" from "tredici". IMA ADPCM is what the
# game decodes itself, with no decoder library: Vorbis through stb_vorbis came to as many bytes
# on the web once its decoder is counted, with the decoder in the first load, and cut the band
# at 7.5 kHz. The browser fetches its own copies, in Opus (web/), which it decodes itself.
# The output is committed; run this again after changing a description or a word:
#   bash tools/sound/render_sounds.sh
# Needs sox, festival, festvox-italp16k and opus-tools (scripts/install-deps.sh sounds).
set -euo pipefail
cd "$(dirname "$0")/../.."
# sox dithers with a fresh seed each run unless told to repeat: the same sounds, the same bytes.
export SOX_OPTS=-R
out=scene/assets/sounds
rate=11025        # the effects
word_rate=16000   # the words: the voice's own rate
# The voice is silent before a word, and its soft f or the burst of its t sits near -48 dBFS:
# a word's start is trimmed only of that silence, and the fade-in passes over silence put back.
word_floor=-58    # dBFS
word_lead=0.012   # s
rms_target=-20    # dBFS: every sound as loud as the others
peak_limit=-7     # dBFS, under -6 by what the coder's rounding adds
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out/web"

# finish RAW NAME [RATE FLOOR LEAD]: trims, levels and fades RAW into $out/NAME.wav.
finish() {
  local raw=$1 name=$2 rate=${3:-$rate} floor=${4:--48} lead=${5:-0} trimmed=$work/$2.trimmed.wav
  # Silence under floor dBFS before it goes, and lead seconds of silence go back in front for
  # the fade-in to pass over; under -48 dBFS after it, and pauses inside are kept to 0.12 s.
  # A high-pass takes off the voice's rumble. Lowered first: festival speaks at full scale.
  sox "$raw" -r $rate -c 1 -b 16 "$trimmed" gain -6 highpass 70 \
    silence -l 1 0.004 ${floor}d -1 0.12 -48d reverse silence 1 0.004 -48d reverse pad "$lead" 0
  local stats rms peak gain
  stats=$(sox "$trimmed" -n stats 2>&1)
  rms=$(awk '/^RMS lev dB/ {print $4}' <<<"$stats")
  peak=$(awk '/^Pk lev dB/ {print $4}' <<<"$stats")
  gain=$(awk -v r="$rms" -v p="$peak" -v t=$rms_target -v l=$peak_limit \
    'BEGIN { g = t - r; if (p + g > l) g = l - p; printf "%.2f", g }')
  sox "$trimmed" -e ima-adpcm "$out/$name.wav" gain "$gain" fade h 0.012 -0 0.02
  # The browser's copy, from the same master: Opus at 24 kbit/s keeps the words' band to 8 kHz
  # with less noise than the ADPCM, in under half its bytes; the browser's own decoder reads it.
  sox "$trimmed" -b 16 "$work/$name.web.wav" gain "$gain" fade h 0.012 -0 0.02
  opusenc --quiet --bitrate 24 --serial 1 --discard-comments "$work/$name.web.wav" \
    "$out/web/$name.opus"
}

# The effects: short, soft, a cartoon pond.
synth() {  # NAME SOX-EFFECTS...: renders a synthesised sound
  local name=$1; shift
  sox -n -r $rate -c 1 -b 16 "$work/$name.raw.wav" "$@"
  finish "$work/$name.raw.wav" "$name"
}
# The fly arrives: a soft buzz, a sawtooth wavering quickly in pitch and loudness, muffled.
synth fly_arrives synth 0.55 sawtooth 190:240 synth sine amod 26 40 lowpass 1400 \
  tremolo 18 50 fade h 0.12 0.55 0.2
# The frog takes off: a quick rising "boing".
synth take_off synth 0.16 sine 260:720 fade q 0.01 0.16 0.08
# It lands: a soft falling "plop".
synth landing synth 0.14 sine 520:140 fade q 0.004 0.14 0.1
# A hop in place: up and down again.
sox -n -r $rate -c 1 -b 16 "$work/hop_up.wav" synth 0.11 sine 330:560 fade q 0.01 0.11 0.02
sox -n -r $rate -c 1 -b 16 "$work/hop_down.wav" synth 0.11 sine 560:330 fade q 0.02 0.11 0.06
sox "$work/hop_up.wav" "$work/hop_down.wav" "$work/hop.raw.wav"
finish "$work/hop.raw.wav" hop
# A catch: a gulp, then two bright notes going up.
sox -n -r $rate -c 1 -b 16 "$work/gulp.wav" synth 0.09 sine 300:120 fade q 0.005 0.09 0.05
sox -n -r $rate -c 1 -b 16 "$work/note1.wav" synth 0.16 sine 784 synth sine amod 0.01 0 \
  fade q 0.005 0.16 0.14
sox -n -r $rate -c 1 -b 16 "$work/note2.wav" synth 0.26 sine 1175 fade q 0.005 0.26 0.24
sox "$work/gulp.wav" "$work/note1.wav" "$work/note2.wav" "$work/catch.raw.wav"
finish "$work/catch.raw.wav" catch
# An escape: a falling whistle, wobbling like a fly flying off.
synth escape synth 0.5 triangle 880:330 lowpass 2500 tremolo 9 40 fade q 0.02 0.5 0.2

# The words, in festival's Italian voice lp. Festival reads Latin-1.
say() {  # NAME TEXT: renders a spoken word or phrase
  local name=$1 text=$2
  iconv -f UTF-8 -t LATIN1 <<<"$text" >"$work/$name.txt"
  text2wave -eval "(voice_lp_diphone)" "$work/$name.txt" -o "$work/$name.raw.wav" 2>/dev/null
  finish "$work/$name.raw.wav" "$name" $word_rate $word_floor $word_lead
}
numbers=(zero uno due tre quattro cinque sei sette otto nove dieci undici dodici tredici
  quattordici quindici sedici diciassette diciotto diciannove venti)
for n in "${!numbers[@]}"; do say "number_$n" "${numbers[$n]}"; done
say plus "più"
say fa "fa"
say non "non"
say verdict_right "Gnam! Gnam! Che buona!"
say verdict_wrong "Oh, no! Mi è scappata!"

for f in "$out"/*.wav; do
  sox "$f" -n stats 2>&1 | awk -v f="$(basename "$f")" \
    '/^Pk lev dB/ {p=$4} /^RMS lev dB/ {r=$4} /^Length s/ {l=$3} END {printf "%-20s %5.3f s  peak %6.2f dBFS  rms %6.2f dBFS\n", f, l, p, r}'
done
