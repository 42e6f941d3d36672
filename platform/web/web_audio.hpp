// The game's sound output in a browser: Web Audio, opened at the first sound or press (a
// browser lets a page sound only from a user's gesture on) and suspended after a few seconds of
// silence, so that an idle page runs no audio at all. Each plan is mixed by the game's own
// mixer and played as one buffer; a plan that cuts stops what still plays. The sounds arrive
// after the first frame: until then, and in a browser without Web Audio, the game is silent.
#pragma once

#include <cstdint>
#include <optional>

#include "platform/web/sound_files.hpp"
#include "render/sound_bank.hpp"
#include "scene/sounds.hpp"

namespace bolvenda::web {

class WebAudio {
  public:
    static constexpr std::uint64_t suspend_after_ms = 3000;

    WebAudio() : bank_([this](std::string_view name) { return files_.file(name); }) {}
    WebAudio(const WebAudio&) = delete;
    WebAudio& operator=(const WebAudio&) = delete;

    // The sound files, filled by the page.
    SoundFiles& files() { return files_; }

    // The output running, if it can be: a press comes before the click that is heard.
    void prepare(std::uint64_t now_ms);
    void play(const scene::SoundPlan& plan, std::uint64_t now_ms);
    // When the output is suspended next, while it runs.
    std::optional<std::uint64_t> deadline() const;
    void time_passed(std::uint64_t now_ms);

  private:
    SoundFiles files_;
    render::SoundBank bank_;
    bool running_ = false;
    std::uint64_t quiet_at_ = 0;  // when the last sound played ends
};

}  // namespace bolvenda::web
