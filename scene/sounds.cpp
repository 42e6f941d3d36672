#include "scene/sounds.hpp"

#include <array>

namespace bolvenda::scene {

namespace {

constexpr std::array<std::string_view, sound_count> files{
    "fly_arrives.wav", "take_off.wav",      "landing.wav",       "hop.wav",       "catch.wav",
    "escape.wav",      "verdict_right.wav", "verdict_wrong.wav", "plus.wav",      "fa.wav",
    "non.wav",         "number_0.wav",      "number_1.wav",      "number_2.wav",  "number_3.wav",
    "number_4.wav",    "number_5.wav",      "number_6.wav",      "number_7.wav",  "number_8.wav",
    "number_9.wav",    "number_10.wav",     "number_11.wav",     "number_12.wav", "number_13.wav",
    "number_14.wav",   "number_15.wav",     "number_16.wav",     "number_17.wav", "number_18.wav",
    "number_19.wav",   "number_20.wav",
};

}  // namespace

Sound number_word(int n) { return static_cast<Sound>(static_cast<int>(Sound::Number0) + n); }

std::string_view sound_file(Sound sound) { return files[static_cast<std::size_t>(sound)]; }

}  // namespace bolvenda::scene
