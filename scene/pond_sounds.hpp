// What the pond sounds like: one table from the moments of the game (a round starts, the frog
// takes off, lands or hops in place, the fly is caught or escapes) to the sounds heard, with
// their timing, and the mute. Read from the click and from what the leap did, so the sounds
// follow what the child sees; the view only plays the plans this returns.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "scene/frog_leap.hpp"
#include "scene/scene.hpp"

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

// The moments that are heard, each cutting what still plays.
struct RoundStarted {
    int n1, n2;  // the addition read out
};
struct TookOff {
    bool hop;  // on its own number: a hop in place
};
struct Landed {
    bool caught;  // on the fly's number
};
SoundPlan sounds_for(const RoundStarted& moment);
SoundPlan sounds_for(const TookOff& moment);
SoundPlan sounds_for(const Landed& moment);

class PondSounds {
  public:
    // animate as the leap's: without it the frog lands at the click, with no take-off heard.
    PondSounds(const Scene& scene, bool animate, bool muted)
        : scene_(&scene), animate_(animate), muted_(muted) {}

    // A click ran clicked's handler (a disabled element's click is no moment): a new round is
    // heard; nothing new for any other click (the answer is heard through the leap).
    SoundPlan clicked(const runtime::Element& clicked) const;
    // What the leap did: the take-off as it leaves, the landing and the verdict as it lands,
    // or as a click shows it landed at once; a leap cut short by a new round is heard no more.
    SoundPlan leap(const FrogLeap::Event& event) const;
    // Nothing at all is heard while muted.

    bool muted() const noexcept { return muted_; }
    // Muting silences what plays at once; unmuting is heard from the next moment on.
    SoundPlan toggle_mute();

  private:
    const Scene* scene_;
    bool animate_;
    bool muted_;
};

}  // namespace bolvenda::scene
