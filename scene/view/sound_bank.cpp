#include "scene/view/sound_bank.hpp"

#include <SDL.h>

#include <cstring>
#include <memory>

#include "scene/assets/assets.hpp"
#include "scene/view/sound_mixer.hpp"

namespace bolvenda::view {

namespace {

// The file's samples in the mixer's format, converted if it holds another; empty if unreadable.
std::vector<std::int16_t> decode(std::span<const unsigned char> file) {
    if (file.empty()) return {};
    SDL_AudioSpec stored{};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1, &stored,
                       &raw, &length) == nullptr)
        return {};
    const std::unique_ptr<Uint8, decltype(&SDL_FreeWAV)> owned(raw, &SDL_FreeWAV);
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, stored.format, stored.channels, stored.freq, AUDIO_S16SYS, 1,
                          SoundMixer::rate) < 0)
        return {};
    std::vector<Uint8> work(static_cast<std::size_t>(length) *
                            static_cast<std::size_t>(cvt.len_mult));
    std::memcpy(work.data(), raw, length);
    cvt.buf = work.data();
    cvt.len = static_cast<int>(length);
    if (cvt.needed && SDL_ConvertAudio(&cvt) < 0) return {};
    const std::size_t bytes = cvt.needed ? static_cast<std::size_t>(cvt.len_cvt) : length;
    std::vector<std::int16_t> samples(bytes / sizeof(std::int16_t));
    std::memcpy(samples.data(), work.data(), samples.size() * sizeof(std::int16_t));
    return samples;
}

}  // namespace

std::span<const std::int16_t> SoundBank::clip(scene::Sound sound) {
    const auto i = static_cast<std::size_t>(sound);
    if (!decoded_[i]) {
        clips_[i] = decode(assets::sound(scene::sound_file(sound)));
        decoded_[i] = true;
    }
    return clips_[i];
}

}  // namespace bolvenda::view
