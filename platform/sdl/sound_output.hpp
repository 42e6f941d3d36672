// The game's sound output: SDL's audio device, opened at the first sound (or at the press
// before a click, so the click is heard at once) and closed after a few seconds of silence,
// since SDL's audio thread keeps running while a device is merely paused. No device is no
// error: the game plays silently.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <optional>

#include "play/pond_sounds.hpp"
#include "render/sound_bank.hpp"
#include "render/sound_mixer.hpp"

namespace bolvenda::sdl {

class SoundOutput {
  public:
    static constexpr std::uint64_t close_after_ms = 3000;
    // Samples per callback: 16 ms, well inside the 50 ms a click's sound may take to start.
    static constexpr Uint16 buffer_samples = 256;

    SoundOutput() = default;
    SoundOutput(const SoundOutput&) = delete;
    SoundOutput& operator=(const SoundOutput&) = delete;
    ~SoundOutput() { close(); }

    // Opens the device if it is closed: a press comes before the click that is heard.
    void prepare(std::uint64_t now_ms);
    // Plays plan from now (a plan with nothing to play only cuts, if it says so).
    void play(const scene::SoundPlan& plan, std::uint64_t now_ms);
    // When the device is closed next, while it is open.
    std::optional<std::uint64_t> deadline() const;
    // Closes the device once its time has come.
    void time_passed(std::uint64_t now_ms);
    bool is_open() const noexcept { return device_ != 0; }

  private:
    static void SDLCALL fill(void* self, Uint8* stream, int length);
    void close();

    render::SoundBank bank_;
    render::SoundMixer mixer_;
    SDL_AudioDeviceID device_ = 0;
    bool unavailable_ = false;    // tried and failed: the game stays silent
    std::uint64_t quiet_at_ = 0;  // when the last sound played ends
};

}  // namespace bolvenda::sdl
