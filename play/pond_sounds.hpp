// What the pond sounds like: one table from the moments of the game (a round starts, the frog
// takes off, lands or hops in place, the fly is caught or escapes) to the sounds heard, with
// their timing, and the mute. Read from the click and from what the leap did, so the sounds
// follow what the child sees; the view only plays the plans this returns.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "play/frog_leap.hpp"
#include "scene/scene.hpp"
#include "scene/sounds.hpp"

namespace bolvenda::play {

using scene::Cue;
using scene::number_word;
using scene::Scene;
using scene::Sound;
using scene::SoundPlan;

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
// The exercise read out again when the child asks: the addition, and once answered, the number
// chosen and whether the addition makes it ("otto più quattro fa dodici", "… non fa undici").
struct ExerciseRead {
    int n1, n2;
    std::optional<int> chosen;
    bool right;
};
SoundPlan sounds_for(const Landed& moment);
SoundPlan sounds_for(const ExerciseRead& moment);

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
    // The exercise as the scene shows it now, read out; nothing before the first round.
    SoundPlan exercise() const;
    // Nothing at all is heard while muted.
    bool muted() const noexcept { return muted_; }
    // Muting silences what plays at once; unmuting is heard from the next moment on.
    SoundPlan toggle_mute();

  private:
    const Scene* scene_;
    bool animate_;
    bool muted_;
};

}  // namespace bolvenda::play
