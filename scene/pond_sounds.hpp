// What the pond sounds like: one table from the moments of the game (a round starts, the frog
// takes off, lands or hops in place, the fly is caught or escapes) to the sounds heard, with
// their timing, and the mute. Read from the scene after each click, as the leap is, so the
// sounds follow what the child sees; the view only plays the plans this returns.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "scene/layout.hpp"

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

// The moments that are heard.
struct RoundStarted {
    int n1, n2;  // the addition read out
};
struct Answered {
    int from, to;           // the frog's numbers before and after
    bool caught;            // the right number
    std::uint64_t leap_ms;  // how long the frog is in the air; 0 when it is shown there at once
};
SoundPlan sounds_for(const RoundStarted& moment);
SoundPlan sounds_for(const Answered& moment);

class PondSounds {
  public:
    // animate as the view's: without the leap the frog lands at the click.
    PondSounds(const Scene& scene, const Layout& layout, bool animate, bool muted)
        : scene_(&scene), layout_(&layout), animate_(animate), muted_(muted) {}

    // A click ran clicked's handler (a disabled element's click is no moment); the frog stood on
    // frog_before before it (-1: on no number). Returns what is heard from now on: nothing new for
    // a click that starts no round and answers none, nothing at all while muted.
    SoundPlan clicked(const runtime::Element& clicked, int frog_before) const;

    bool muted() const noexcept { return muted_; }
    // Muting silences what plays at once; unmuting is heard from the next moment on.
    SoundPlan toggle_mute();

  private:
    const Scene* scene_;
    const Layout* layout_;
    bool animate_;
    bool muted_;
};

}  // namespace bolvenda::scene
