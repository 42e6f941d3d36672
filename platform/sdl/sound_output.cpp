#include "platform/sdl/sound_output.hpp"

#include <algorithm>
#include <span>

namespace bolvenda::sdl {

void SoundOutput::prepare(std::uint64_t now_ms) {
    quiet_at_ = std::max(quiet_at_, now_ms);
    if (device_ != 0 || unavailable_) return;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        unavailable_ = true;
        return;
    }
    SDL_AudioSpec want{};
    want.freq = render::SoundMixer::rate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = buffer_samples;
    want.callback = &SoundOutput::fill;
    want.userdata = this;
    // Any other format the device has is SDL's to convert to.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);
    if (device_ == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        unavailable_ = true;
        return;
    }
    SDL_PauseAudioDevice(device_, 0);
}

void SoundOutput::play(const scene::SoundPlan& plan, std::uint64_t now_ms) {
    if (plan.cues.empty() && !plan.cut) return;
    if (plan.cues.empty() && device_ == 0) return;  // nothing plays that could be cut
    prepare(now_ms);
    if (device_ == 0) return;
    // The clips are decoded here, before the callback is held off.
    for (const scene::Cue& cue : plan.cues) bank_.clip(cue.sound);
    SDL_LockAudioDevice(device_);
    mixer_.play(plan, [this](scene::Sound s) { return bank_.clip(s); });
    const std::size_t left = mixer_.samples_left();
    SDL_UnlockAudioDevice(device_);
    quiet_at_ = now_ms + (left * 1000 + render::SoundMixer::rate - 1) / render::SoundMixer::rate;
}

std::optional<std::uint64_t> SoundOutput::deadline() const {
    if (device_ == 0) return std::nullopt;
    return quiet_at_ + close_after_ms;
}

void SoundOutput::time_passed(std::uint64_t now_ms) {
    if (device_ != 0 && now_ms >= quiet_at_ + close_after_ms) close();
}

void SoundOutput::close() {
    if (device_ == 0) return;
    SDL_CloseAudioDevice(device_);  // waits for the callback: the mixer is ours again
    device_ = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    mixer_.play({true, {}}, [](scene::Sound) { return render::SoundMixer::Clip{}; });
}

void SDLCALL SoundOutput::fill(void* self, Uint8* stream, int length) {
    auto* output = static_cast<SoundOutput*>(self);
    output->mixer_.render(std::span(reinterpret_cast<std::int16_t*>(stream),
                                    static_cast<std::size_t>(length) / sizeof(std::int16_t)));
}

}  // namespace bolvenda::sdl
