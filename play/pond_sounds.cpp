#include "play/pond_sounds.hpp"

#include <array>

#include "play/frog_leap.hpp"
#include "runtime/conversions.hpp"

namespace bolvenda::play {

namespace {

// After the fly's buzz, the addition read at a child's pace: short pauses between the words.
constexpr std::uint64_t before_exercise_ms = 120, between_words_ms = 60;
// The catch or the escape a moment after the landing, the frog's words after that.
constexpr std::uint64_t after_landing_ms = 120, before_verdict_ms = 150;

}  // namespace

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

SoundPlan sounds_for(const ExerciseRead& moment) {
    SoundPlan plan{true,
                   {{number_word(moment.n1)},
                    {Sound::Plus, between_words_ms, true},
                    {number_word(moment.n2), between_words_ms, true}}};
    if (moment.chosen) {
        if (!moment.right) plan.cues.push_back({Sound::Non, between_words_ms, true});
        plan.cues.push_back({Sound::Fa, between_words_ms, true});
        plan.cues.push_back({number_word(*moment.chosen), between_words_ms, true});
    }
    return plan;
}

namespace {
// A label's caption as the number word it shows: 0..20, or nothing where it is empty.
std::optional<int> shown_number(const runtime::Element& label) {
    if (label.caption().empty()) return std::nullopt;
    const double n = runtime::text_to_number(label.caption());
    if (n < 0 || n > scene::number_words - 1) return std::nullopt;
    return static_cast<int>(n);
}
}  // namespace

SoundPlan PondSounds::exercise() const {
    if (muted_) return {};
    const std::optional<int> n1 = shown_number(scene_->Label(22)),
                             n2 = shown_number(scene_->Label(24));
    if (!n1 || !n2) return {};
    return sounds_for(
        ExerciseRead{*n1, *n2, shown_number(scene_->Label(26)), scene_->Image(7).visible()});
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

}  // namespace bolvenda::play
