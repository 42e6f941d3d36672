#include "render/sound_mixer.hpp"

#include <algorithm>
#include <limits>

namespace bolvenda::render {

void SoundMixer::play(const scene::SoundPlan& plan,
                      const std::function<Clip(scene::Sound)>& clip_of) {
    if (plan.cut) voices_.clear();
    std::size_t previous_end = 0;
    for (const scene::Cue& cue : plan.cues) {
        const Clip clip = clip_of(cue.sound);
        const std::size_t start = (cue.after_previous ? previous_end : 0) + samples(cue.delay_ms);
        previous_end = start + clip.size();
        if (!clip.empty()) voices_.push_back({clip, start, 0});
    }
}

void SoundMixer::render(std::span<std::int16_t> out) {
    // Summed wide, then held within 16 bits: two sounds at their peaks may meet.
    std::fill(out.begin(), out.end(), std::int16_t{0});
    for (Voice& voice : voices_) {
        std::size_t i = std::min(voice.wait, out.size());
        voice.wait -= i;
        for (; i < out.size() && voice.at < voice.clip.size(); ++i, ++voice.at) {
            const int sum = out[i] + voice.clip[voice.at];
            out[i] = static_cast<std::int16_t>(
                std::clamp(sum, int{std::numeric_limits<std::int16_t>::min()},
                           int{std::numeric_limits<std::int16_t>::max()}));
        }
    }
    std::erase_if(voices_, [](const Voice& v) { return v.wait == 0 && v.at == v.clip.size(); });
}

std::size_t SoundMixer::samples_left() const {
    std::size_t left = 0;
    for (const Voice& v : voices_) left = std::max(left, v.wait + (v.clip.size() - v.at));
    return left;
}

}  // namespace bolvenda::render
