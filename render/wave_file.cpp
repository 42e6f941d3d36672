#include "render/wave_file.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <string_view>

namespace bolvenda::render {

namespace {

constexpr std::uint16_t format_pcm = 1, format_ima_adpcm = 0x11;

std::uint32_t le32(std::span<const unsigned char> b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t le16(std::span<const unsigned char> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

constexpr std::array<int, 89> step_sizes{
    7,     8,     9,     10,    11,    12,    13,    14,    16,    17,    19,   21,    23,
    25,    28,    31,    34,    37,    41,    45,    50,    55,    60,    66,   73,    80,
    88,    97,    107,   118,   130,   143,   157,   173,   190,   209,   230,  253,   279,
    307,   337,   371,   408,   449,   494,   544,   598,   658,   724,   796,  876,   963,
    1060,  1166,  1282,  1411,  1552,  1707,  1878,  2066,  2272,  2499,  2749, 3024,  3327,
    3660,  4026,  4428,  4871,  5358,  5894,  6484,  7132,  7845,  8630,  9493, 10442, 11487,
    12635, 13899, 15289, 16818, 18500, 20350, 22385, 24623, 27086, 29794, 32767};
constexpr std::array<int, 16> index_steps{-1, -1, -1, -1, 2, 4, 6, 8, -1, -1, -1, -1, 2, 4, 6, 8};

// One block: its header's sample, then two samples a byte, the low nibble first.
void decode_ima_block(std::span<const unsigned char> block, std::vector<std::int16_t>& out) {
    if (block.size() < 4) return;
    int predictor = static_cast<std::int16_t>(le16(block, 0));
    int index = std::min<int>(block[2], 88);
    out.push_back(static_cast<std::int16_t>(predictor));
    for (std::size_t i = 4; i < block.size(); ++i) {
        for (int nibble : {block[i] & 0x0F, block[i] >> 4}) {
            const int step = step_sizes[static_cast<std::size_t>(index)];
            int diff = step >> 3;
            if (nibble & 4) diff += step;
            if (nibble & 2) diff += step >> 1;
            if (nibble & 1) diff += step >> 2;
            predictor = std::clamp(nibble & 8 ? predictor - diff : predictor + diff, -32768, 32767);
            index = std::clamp(index + index_steps[static_cast<std::size_t>(nibble)], 0, 88);
            out.push_back(static_cast<std::int16_t>(predictor));
        }
    }
}

}  // namespace

std::optional<WaveSamples> read_wave_file(std::span<const unsigned char> file) {
    if (file.size() < 12 ||
        std::string_view(reinterpret_cast<const char*>(file.data()), 4) != "RIFF" ||
        std::string_view(reinterpret_cast<const char*>(file.data()) + 8, 4) != "WAVE")
        return std::nullopt;
    std::optional<std::uint16_t> format;
    std::uint16_t channels = 0, block_align = 0, bits = 0;
    std::uint32_t rate = 0;
    std::optional<std::uint32_t> frames;  // the fact chunk's count, for compressed data
    std::span<const unsigned char> data;
    for (std::size_t at = 12; at + 8 <= file.size();) {
        const std::string_view id(reinterpret_cast<const char*>(file.data()) + at, 4);
        const std::size_t size = le32(file, at + 4);
        if (size > file.size() - at - 8) return std::nullopt;
        const auto body = file.subspan(at + 8, size);
        if (id == "fmt " && size >= 16) {
            format = le16(body, 0);
            channels = le16(body, 2);
            rate = le32(body, 4);
            block_align = le16(body, 12);
            bits = le16(body, 14);
        } else if (id == "fact" && size >= 4) {
            frames = le32(body, 0);
        } else if (id == "data") {
            data = body;
        }
        at += 8 + size + (size & 1);
    }
    if (!format || channels != 1 || rate == 0 || rate > 192000 || data.empty()) return std::nullopt;
    WaveSamples wave{static_cast<int>(rate), {}};
    if (*format == format_pcm && bits == 16) {
        wave.samples.resize(data.size() / 2);
        for (std::size_t i = 0; i < wave.samples.size(); ++i)
            wave.samples[i] = static_cast<std::int16_t>(le16(data, 2 * i));
    } else if (*format == format_ima_adpcm && bits == 4 && block_align > 4) {
        wave.samples.reserve(data.size() * 2);
        for (std::size_t at = 0; at < data.size(); at += block_align)
            decode_ima_block(data.subspan(at, std::min<std::size_t>(block_align, data.size() - at)),
                             wave.samples);
        // A last block is padded out to whole bytes: the count says where the sound ends.
        if (frames && *frames < wave.samples.size()) wave.samples.resize(*frames);
    } else {
        return std::nullopt;
    }
    return wave;
}

std::vector<std::int16_t> resample_audio(std::span<const std::int16_t> in, int from_rate,
                                         int to_rate) {
    if (from_rate == to_rate || in.empty()) return {in.begin(), in.end()};
    constexpr int half_width = 12;  // taps each side, at the lower rate
    const double ratio = static_cast<double>(to_rate) / from_rate;
    const double cutoff = std::min(1.0, ratio);  // of the input's Nyquist frequency
    const double reach = half_width / cutoff;    // in input samples
    const auto count = static_cast<std::size_t>(std::ceil(static_cast<double>(in.size()) * ratio));
    std::vector<std::int16_t> out(count);
    const auto last = static_cast<long>(in.size()) - 1;
    for (std::size_t i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / ratio;
        const long first = std::max(0L, static_cast<long>(std::ceil(t - reach)));
        const long end = std::min(last, static_cast<long>(std::floor(t + reach)));
        double sum = 0;
        for (long k = first; k <= end; ++k) {
            const double x = (t - static_cast<double>(k)) * cutoff;
            const double sinc =
                x == 0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
            // Blackman window over the taps' reach.
            const double w = 0.42 + 0.5 * std::cos(std::numbers::pi * x / half_width) +
                             0.08 * std::cos(2 * std::numbers::pi * x / half_width);
            sum += in[static_cast<std::size_t>(k)] * sinc * w * cutoff;
        }
        out[i] = static_cast<std::int16_t>(std::clamp(std::lround(sum), -32768L, 32767L));
    }
    return out;
}

}  // namespace bolvenda::render
