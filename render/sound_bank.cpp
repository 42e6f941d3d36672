#include "render/sound_bank.hpp"

#include "render/sound_mixer.hpp"
#include "render/wave_file.hpp"
#include "scene/assets/assets.hpp"

namespace bolvenda::render {

SoundBank::SoundBank() : files_(&assets::sound) {}

std::span<const std::int16_t> SoundBank::clip(scene::Sound sound) {
    const auto i = static_cast<std::size_t>(sound);
    if (!decoded_[i]) {
        if (auto wave = read_wave_file(files_(scene::sound_file(sound))))
            clips_[i] = resample_audio(wave->samples, wave->rate, SoundMixer::rate);
        decoded_[i] = true;
    }
    return clips_[i];
}

}  // namespace bolvenda::render
