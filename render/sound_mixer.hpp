// Mixes the game's sounds into the output's samples: each plan's cues placed on one timeline
// from the moment it is played, summed and held within 16 bits. Plain data, no device: the
// audio callback renders from it, and the tests render into a buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "scene/sounds.hpp"

namespace bolvenda::render {

class SoundMixer {
  public:
    // The sounds' rate and the output's: mono, signed 16 bits. The voice's own rate, so the
    // words keep their hiss and buzz up to 8 kHz; the effects are raised to it as decoded.
    static constexpr int rate = 16000;
    using Clip = std::span<const std::int16_t>;

    static std::size_t samples(std::uint64_t ms) {
        return static_cast<std::size_t>(ms * rate / 1000);
    }

    // Starts plan's cues from the next sample rendered (after cutting what plays, if it
    // says so). clip_of gives each sound's samples; they must outlive their playing.
    void play(const scene::SoundPlan& plan, const std::function<Clip(scene::Sound)>& clip_of);
    // The next out.size() samples: silence where nothing plays.
    void render(std::span<std::int16_t> out);
    // Until the last sound has ended; 0 when nothing is left to play.
    std::size_t samples_left() const;

  private:
    struct Voice {
        Clip clip;
        std::size_t wait;  // samples before it starts
        std::size_t at;    // samples of it played
    };
    std::vector<Voice> voices_;
};

}  // namespace bolvenda::render
