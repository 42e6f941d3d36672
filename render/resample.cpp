// Pictures scaled in premultiplied alpha, so that no colour of a transparent pixel bleeds into
// an edge: a cubic filter along each axis in turn (Catmull-Rom where the picture grows, sharp;
// Mitchell-Netravali where it shrinks, without moiré), in fixed point, with the edges
// clamped. Each output row takes its few filtered input rows from a small ring.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "render/premultiplied_image.hpp"

namespace bolvenda::render {

namespace {

double catmull_rom(double x) {
    x = std::abs(x);
    if (x < 1) return (1.5 * x - 2.5) * x * x + 1;
    if (x < 2) return ((-0.5 * x + 2.5) * x - 4) * x + 2;
    return 0;
}

double mitchell(double x) {  // B = C = 1/3
    x = std::abs(x);
    if (x < 1) return ((7 * x - 12) * x * x + 16.0 / 3) / 6;
    if (x < 2) return (((-7.0 / 3 * x + 12) * x - 20) * x + 32.0 / 3) / 6;
    return 0;
}

constexpr int weight_bits = 14;
constexpr int between_bits = 7;  // the fraction a filtered row keeps between the two passes

// For each output pixel along one axis: the first input pixel it reads and the weights of
// `taps` consecutive ones, in 1/2^14, summing to exactly 1.
struct AxisFilter {
    int taps = 0;
    std::vector<int> first;
    std::vector<int> weights;  // taps per output pixel
};

AxisFilter axis_filter(int out_count, int in_start, int in_length, int in_count) {
    const double scale = static_cast<double>(out_count) / in_length;
    const bool grows = scale >= 1;
    const double stretch = grows ? 1.0 : scale;
    const double support = 2 / stretch;
    AxisFilter f;
    f.taps = std::min(static_cast<int>(std::ceil(2 * support)) + 3, in_count);
    f.first.resize(static_cast<std::size_t>(out_count));
    f.weights.assign(static_cast<std::size_t>(out_count) * static_cast<std::size_t>(f.taps), 0);
    std::vector<double> w(static_cast<std::size_t>(f.taps));
    for (int o = 0; o < out_count; ++o) {
        const double centre = in_start + (o + 0.5) / scale;
        const int lo = static_cast<int>(std::floor(centre - support));
        const int hi = static_cast<int>(std::ceil(centre + support));
        // Samples beyond the edge take the edge pixel: their weight goes to it.
        const int first = std::clamp(lo, 0, in_count - f.taps);
        std::fill(w.begin(), w.end(), 0.0);
        double sum = 0;
        for (int j = lo; j <= hi; ++j) {
            const double k =
                grows ? catmull_rom(j + 0.5 - centre) : mitchell((j + 0.5 - centre) * stretch);
            w[static_cast<std::size_t>(std::clamp(j, 0, in_count - 1) - first)] += k;
            sum += k;
        }
        int* out = &f.weights[static_cast<std::size_t>(o) * static_cast<std::size_t>(f.taps)];
        int total = 0, largest = 0;
        for (int t = 0; t < f.taps; ++t) {
            out[t] = static_cast<int>(
                std::lround(w[static_cast<std::size_t>(t)] / sum * (1 << weight_bits)));
            total += out[t];
            if (out[t] > out[largest]) largest = t;
        }
        out[largest] += (1 << weight_bits) - total;  // rounding never changes the brightness
        f.first[static_cast<std::size_t>(o)] = first;
    }
    return f;
}

}  // namespace

void resample_into(const PremultipliedImage& source, scene::Rect region, std::uint32_t* out,
                   int width, int height, std::size_t stride) {
    if (width <= 0 || height <= 0 || region.width <= 0 || region.height <= 0) return;
    if (width == region.width && height == region.height) {
        // At scale 1 a copy: a resampling filter would soften the picture for nothing.
        for (int y = 0; y < height; ++y)
            std::copy_n(&source.pixels[static_cast<std::size_t>(region.top + y) *
                                           static_cast<std::size_t>(source.width) +
                                       static_cast<std::size_t>(region.left)],
                        width, out + static_cast<std::size_t>(y) * stride);
        return;
    }
    const AxisFilter across = axis_filter(width, region.left, region.width, source.width);
    const AxisFilter down = axis_filter(height, region.top, region.height, source.height);
    const std::size_t row_values = static_cast<std::size_t>(width) * 4;

    // Input rows filtered across, four channels a pixel, kept while output rows need them.
    std::vector<std::int32_t> ring(static_cast<std::size_t>(down.taps) * row_values);
    std::vector<int> held(static_cast<std::size_t>(down.taps), -1);
    auto filtered_row = [&](int y) {
        const auto slot = static_cast<std::size_t>(y % down.taps);
        std::int32_t* row = &ring[slot * row_values];
        if (held[slot] == y) return row;
        held[slot] = y;
        const std::uint32_t* in =
            &source.pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(source.width)];
        for (int x = 0; x < width; ++x) {
            const std::uint32_t* p = in + across.first[static_cast<std::size_t>(x)];
            const int* w =
                &across
                     .weights[static_cast<std::size_t>(x) * static_cast<std::size_t>(across.taps)];
            std::int32_t a = 0, r = 0, g = 0, b = 0;
            for (int t = 0; t < across.taps; ++t) {
                a += w[t] * static_cast<std::int32_t>(p[t] >> 24);
                r += w[t] * static_cast<std::int32_t>(p[t] >> 16 & 0xFF);
                g += w[t] * static_cast<std::int32_t>(p[t] >> 8 & 0xFF);
                b += w[t] * static_cast<std::int32_t>(p[t] & 0xFF);
            }
            constexpr int shift = weight_bits - between_bits, half = 1 << (shift - 1);
            std::int32_t* v = row + 4 * static_cast<std::size_t>(x);
            v[0] = (a + half) >> shift;
            v[1] = (r + half) >> shift;
            v[2] = (g + half) >> shift;
            v[3] = (b + half) >> shift;
        }
        return row;
    };

    std::vector<const std::int32_t*> rows(static_cast<std::size_t>(down.taps));
    for (int y = 0; y < height; ++y) {
        const int first = down.first[static_cast<std::size_t>(y)];
        for (int t = 0; t < down.taps; ++t)
            rows[static_cast<std::size_t>(t)] = filtered_row(first + t);
        const int* w =
            &down.weights[static_cast<std::size_t>(y) * static_cast<std::size_t>(down.taps)];
        std::uint32_t* to = out + static_cast<std::size_t>(y) * stride;
        for (std::size_t x = 0; x < static_cast<std::size_t>(width); ++x) {
            std::int32_t sum[4] = {};
            for (int t = 0; t < down.taps; ++t) {
                const std::int32_t* v = rows[static_cast<std::size_t>(t)] + 4 * x;
                for (int c = 0; c < 4; ++c) sum[c] += w[t] * v[c];
            }
            constexpr int shift = weight_bits + between_bits, half = 1 << (shift - 1);
            auto level = [&](int c) {
                return static_cast<std::uint32_t>(std::clamp((sum[c] + half) >> shift, 0, 255));
            };
            // A cubic filter rings: keep every colour within its alpha, as premultiplied
            // demands.
            const std::uint32_t a = level(0);
            to[x] = a << 24 | std::min(level(1), a) << 16 | std::min(level(2), a) << 8 |
                    std::min(level(3), a);
        }
    }
}

PremultipliedImage resample(const PremultipliedImage& source, int width, int height) {
    if (width == source.width && height == source.height) return source;
    PremultipliedImage out;
    out.width = width;
    out.height = height;
    out.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    resample_into(source, {0, 0, source.width, source.height}, out.pixels.data(), width, height,
                  static_cast<std::size_t>(width));
    return out;
}

}  // namespace bolvenda::render
