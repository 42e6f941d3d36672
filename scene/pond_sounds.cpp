#include "scene/pond_sounds.hpp"

#include <array>

#include "scene/frog_leap.hpp"

namespace bolvenda::scene {

namespace {

// After the fly's buzz, the addition read at a child's pace: short pauses between the words.
constexpr std::uint64_t before_exercise_ms = 120, between_words_ms = 60;
// The catch or the escape a moment after the landing, the frog's words after that.
constexpr std::uint64_t after_landing_ms = 120, before_verdict_ms = 150;

constexpr std::array<std::string_view, sound_count> files{
    "fly_arrives.wav", "take_off.wav",      "landing.wav",       "hop.wav",       "catch.wav",
    "escape.wav",      "verdict_right.wav", "verdict_wrong.wav", "plus.wav",      "number_0.wav",
    "number_1.wav",    "number_2.wav",      "number_3.wav",      "number_4.wav",  "number_5.wav",
    "number_6.wav",    "number_7.wav",      "number_8.wav",      "number_9.wav",  "number_10.wav",
    "number_11.wav",   "number_12.wav",     "number_13.wav",     "number_14.wav", "number_15.wav",
    "number_16.wav",   "number_17.wav",     "number_18.wav",     "number_19.wav", "number_20.wav",
};

}  // namespace

Sound number_word(int n) { return static_cast<Sound>(static_cast<int>(Sound::Number0) + n); }

std::string_view sound_file(Sound sound) { return files[static_cast<std::size_t>(sound)]; }

SoundPlan sounds_for(const RoundStarted& moment) {
    return {true,
            {{Sound::FlyArrives},
             {number_word(moment.n1), before_exercise_ms, true},
             {Sound::Plus, between_words_ms, true},
             {number_word(moment.n2), between_words_ms, true}}};
}

SoundPlan sounds_for(const TookOff& moment) {
    return {true, {{moment.hop ? Sound::Hop : Sound::TakeOff}}};
}

SoundPlan sounds_for(const Landed& moment) {
    return {true,
            {{Sound::Landing},
             {moment.caught ? Sound::Catch : Sound::Escape, after_landing_ms},
             {moment.caught ? Sound::VerdictRight : Sound::VerdictWrong, before_verdict_ms, true}}};
}

SoundPlan PondSounds::clicked(const runtime::Element& clicked) const {
    if (muted_) return {};
    const Scene& s = *scene_;
    // The new-round picture's handler turns it off until the answer.
    if (&clicked != &s.Image(3) || s.Image(3).enabled()) return {};
    const int frog = s.frog_number(), fly = s.fly_number();
    if (frog < 0 || fly < frog) return {};
    return sounds_for(RoundStarted{frog, fly - frog});
}

SoundPlan PondSounds::leap(const FrogLeap::Event& event) const {
    if (muted_) return {};
    switch (event.kind) {
        case FrogLeap::Event::Kind::TookOff:
            // Shown landed at once, the frog is heard landing only.
            return animate_ ? sounds_for(TookOff{event.hop()}) : SoundPlan{};
        case FrogLeap::Event::Kind::Landed:
        case FrogLeap::Event::Kind::CutShort:
            // Shown landed by another click, the frog is heard landing all the same, unless
            // the click started a new round (the faces are gone: its sounds are heard instead).
            // The faces tell the verdict: the happy one for the catch.
            if (!scene_->Image(5).visible() && !scene_->Image(6).visible()) return {};
            return sounds_for(Landed{scene_->Image(6).visible()});
    }
    return {};
}

SoundPlan PondSounds::toggle_mute() {
    muted_ = !muted_;
    return {muted_, {}};
}

}  // namespace bolvenda::scene
