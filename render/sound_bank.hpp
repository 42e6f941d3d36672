// The game's sounds as samples for the mixer: each decoded from its embedded WAV at its first
// use and brought to the mixer's rate, then kept.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "scene/sounds.hpp"

namespace bolvenda::render {

class SoundBank {
  public:
    // Where the sound files' bytes come from: the program's own, or files a page fetched.
    using Files = std::function<std::span<const unsigned char>(std::string_view name)>;
    SoundBank();
    explicit SoundBank(Files files) : files_(std::move(files)) {}

    // The sound's samples at SoundMixer::rate, mono; empty when its file cannot be read.
    std::span<const std::int16_t> clip(scene::Sound sound);

  private:
    Files files_;
    std::array<std::vector<std::int16_t>, scene::sound_count> clips_;
    std::array<bool, scene::sound_count> decoded_{};
};

}  // namespace bolvenda::render
