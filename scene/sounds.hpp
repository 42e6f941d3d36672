// The game's sounds: every effect and word it can play, the file each is stored in, and a
// plan of sounds with their timing, as the platforms play it. Which sound follows which moment
// is decided in play/.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace bolvenda::scene {

enum class Sound : std::uint8_t {
    FlyArrives,
    TakeOff,
    Landing,
    Hop,
    Catch,
    Escape,
    VerdictRight,  // "GNAM! GNAM! CHE BUONA!"
    VerdictWrong,  // "OH,NO! MI È SCAPPATA!"
    Plus,          // "più"
    Fa,            // "fa", before the answer: "otto più quattro fa dodici"
    Non,           // "non", before a wrong answer's "fa"
    Number0,       // Number0 + n speaks n, for n = 0..20
};
inline constexpr int number_words = 21;
inline constexpr int sound_count = static_cast<int>(Sound::Number0) + number_words;

// The word for n, 0..20.
Sound number_word(int n);
// The sound's file among the assets ("fly_arrives.wav", "number_7.wav").
std::string_view sound_file(Sound sound);

// One sound of a plan: it starts delay_ms after the plan starts, or, when after_previous,
// delay_ms after the sound before it has ended (words read one after another, whatever their
// lengths).
struct Cue {
    Sound sound;
    std::uint64_t delay_ms = 0;
    bool after_previous = false;
    friend bool operator==(const Cue&, const Cue&) = default;
};

// What is heard from one moment on: cut stops what still plays first.
struct SoundPlan {
    bool cut = false;
    std::vector<Cue> cues;
    friend bool operator==(const SoundPlan&, const SoundPlan&) = default;
};

}  // namespace bolvenda::scene
