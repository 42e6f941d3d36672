// Reads the game's sound files: RIFF WAVE, mono, IMA ADPCM (as the sound tools store them) or
// plain 16-bit PCM, into 16-bit samples at the file's own rate. Anything else, or a damaged
// file, reads as nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace bolvenda::render {

struct WaveSamples {
    int rate = 0;
    std::vector<std::int16_t> samples;
};

std::optional<WaveSamples> read_wave_file(std::span<const unsigned char> file);

// Samples at one rate resampled to another (band-limited: a windowed sinc, its cut-off at the
// lower of the two Nyquist frequencies).
std::vector<std::int16_t> resample_audio(std::span<const std::int16_t> in, int from_rate,
                                         int to_rate);

}  // namespace bolvenda::render
