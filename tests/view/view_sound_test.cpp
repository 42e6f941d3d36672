// The pond's sounds as the mixer renders them into a buffer: every file decodes, short, soft
// and without a click at either end; the words keep their hiss above 4 kHz, every clip at the
// mixer's rate; plans last what their sounds and pauses add up to; mixes never clip; muting and
// a new round cut what plays. And the device's life with SDL's disk driver: opened at the first
// sound, closed after the silence, and no device is no error.
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/sdl/sound_output.hpp"
#include "play/pond_sounds.hpp"
#include "render/sound_bank.hpp"
#include "render/sound_mixer.hpp"
#include "render/wave_file.hpp"
#include "scene/assets/assets.hpp"

namespace bolvenda::render {
namespace {

using scene::Sound;
using sdl::SoundOutput;

constexpr int minus_6_dbfs = 16422;  // 32767 / 10^(6/20)

std::vector<std::int16_t> render_all(SoundMixer& mixer) {
    std::vector<std::int16_t> out;
    std::vector<std::int16_t> block(SoundOutput::buffer_samples);
    while (mixer.samples_left() > 0) {
        mixer.render(block);
        out.insert(out.end(), block.begin(), block.end());
    }
    return out;
}

int peak(std::span<const std::int16_t> samples) {
    int p = 0;
    for (std::int16_t s : samples) p = std::max(p, std::abs(int{s}));
    return p;
}

TEST(Sounds, EveryOneIsShortSoftAndFadedAtBothEnds) {
    SoundBank bank;
    for (int i = 0; i < scene::sound_count; ++i) {
        const auto sound = static_cast<Sound>(i);
        SCOPED_TRACE(std::string(scene::sound_file(sound)));
        const auto clip = bank.clip(sound);
        ASSERT_GT(clip.size(), SoundMixer::samples(100));
        // Words under a second, the frog's sentences under a second and a half.
        const bool sentence = sound == Sound::VerdictRight || sound == Sound::VerdictWrong;
        EXPECT_LT(clip.size(), SoundMixer::samples(sentence ? 1500 : 1000));
        EXPECT_LE(peak(clip), minus_6_dbfs);
        // Faded in and out: the first and last few milliseconds are near silence.
        const std::size_t edge = SoundMixer::samples(2);
        EXPECT_LT(peak(clip.first(edge)), 800);
        EXPECT_LT(peak(clip.last(edge)), 800);
        // Not merely silence: heard at the others' loudness.
        EXPECT_GT(peak(clip), minus_6_dbfs / 5);
    }
}

// The share of the energy above 4 kHz in a clip's first ms: what is left of the clip less
// itself through a 4 kHz low-pass (down to 8000 Hz and up again).
double share_above_4_khz(std::span<const std::int16_t> clip, std::uint64_t ms) {
    const auto low =
        resample_audio(resample_audio(clip, SoundMixer::rate, 8000), 8000, SoundMixer::rate);
    double high = 0, all = 0;
    for (std::size_t i = 0; i < std::min({clip.size(), low.size(), SoundMixer::samples(ms)}); ++i) {
        const double d = static_cast<double>(clip[i]) - static_cast<double>(low[i]);
        high += d * d;
        all += static_cast<double>(clip[i]) * static_cast<double>(clip[i]);
    }
    return high / all;
}

TEST(Sounds, TheWordsKeepTheirHissAbove4KhzAtTheMixersRate) {
    SoundBank bank;
    // The s that opens sei, sette and sedici lies between 4 and 8 kHz, where tre and tredici
    // have nothing to open with: it must be there to be heard.
    for (int n : {6, 7, 16})
        EXPECT_GT(share_above_4_khz(bank.clip(scene::number_word(n)), 60), 0.5) << n;
    for (int n : {3, 13})
        EXPECT_LT(share_above_4_khz(bank.clip(scene::number_word(n)), 60), 0.1) << n;
    // The soft f of fa, weak but above 4 kHz too, before its vowel: its start is not trimmed.
    EXPECT_GT(share_above_4_khz(bank.clip(Sound::Fa), 60), 0.1);
    // Every file at a rate the mixer keeps whole, each clip brought to the mixer's rate.
    for (int i = 0; i < scene::sound_count; ++i) {
        const auto sound = static_cast<Sound>(i);
        SCOPED_TRACE(std::string(scene::sound_file(sound)));
        const auto wave = read_wave_file(assets::sound(scene::sound_file(sound)));
        ASSERT_TRUE(wave);
        EXPECT_LE(wave->rate, SoundMixer::rate);
        EXPECT_NEAR(static_cast<double>(bank.clip(sound).size()),
                    static_cast<double>(wave->samples.size()) * SoundMixer::rate / wave->rate, 1.0);
    }
}

TEST(Sounds, PlansLastTheirSoundsAndPausesAndNeverClip) {
    SoundBank bank;
    auto clip_of = [&](Sound s) { return bank.clip(s); };
    const scene::SoundPlan round = play::sounds_for(play::RoundStarted{17, 3});
    SoundMixer mixer;
    mixer.play(round, clip_of);
    // The words one after another after the buzz: the lengths add up with their pauses.
    std::size_t expected = 0;
    for (const scene::Cue& cue : round.cues) {
        ASSERT_TRUE(cue.sound == Sound::FlyArrives || cue.after_previous);
        expected += SoundMixer::samples(cue.delay_ms) + bank.clip(cue.sound).size();
    }
    EXPECT_EQ(mixer.samples_left(), expected);
    const auto heard = render_all(mixer);
    EXPECT_GE(heard.size(), expected);
    EXPECT_LE(heard.size(), expected + SoundOutput::buffer_samples);
    EXPECT_LE(peak(heard), minus_6_dbfs);
    // The last word ends the plan: its samples close the rendering.
    const auto last = bank.clip(scene::number_word(3));
    EXPECT_TRUE(std::equal(last.begin(), last.end(),
                           heard.begin() + static_cast<long>(expected - last.size())));

    // Every answer: sounds that meet (the take-off's tail, the landing) stay within 16 bits.
    for (int from = 0; from <= 20; from += 4)
        for (int to = 0; to <= 20; to += 5)
            for (bool caught : {false, true}) {
                mixer.play(play::sounds_for(play::TookOff{from == to}), clip_of);
                std::vector<std::int16_t> air(
                    SoundMixer::samples(play::FrogLeap::duration_ms(from, to)));
                mixer.render(air);
                mixer.play(play::sounds_for(play::Landed{caught}), clip_of);
                auto answer = render_all(mixer);
                answer.insert(answer.begin(), air.begin(), air.end());
                EXPECT_LT(peak(answer), 32767);
                EXPECT_GT(peak(answer), minus_6_dbfs / 5);
            }
}

TEST(Sounds, MuteAndANewRoundCutWhatPlays) {
    SoundBank bank;
    auto clip_of = [&](Sound s) { return bank.clip(s); };
    std::vector<std::int16_t> block(SoundMixer::samples(200));
    const scene::SoundPlan answer = play::sounds_for(play::Landed{true});

    // Muted in mid-leap: silence from the next sample on.
    SoundMixer mixer;
    mixer.play(answer, clip_of);
    mixer.render(block);
    ASSERT_GT(peak(block), 0);
    scene::Scene scene;
    play::PondSounds pond(scene, true, false);
    mixer.play(pond.toggle_mute(), clip_of);
    EXPECT_EQ(mixer.samples_left(), 0u);
    mixer.render(block);
    EXPECT_EQ(peak(block), 0);
    EXPECT_TRUE(pond.muted());

    // A new round while the frog's words play: what follows is the new round's alone.
    SoundMixer cut, fresh;
    cut.play(answer, clip_of);
    cut.render(block);
    const scene::SoundPlan round = play::sounds_for(play::RoundStarted{5, 6});
    cut.play(round, clip_of);
    fresh.play(round, clip_of);
    EXPECT_EQ(cut.samples_left(), fresh.samples_left());
    EXPECT_EQ(render_all(cut), render_all(fresh));
}

// SDL's disk driver writes what the device plays into a file, at the device's pace.
class SoundDevice : public ::testing::Test {
  protected:
    void SetUp() override {
        file_ = std::filesystem::temp_directory_path() /
                ("bolvenda-sound-" + std::to_string(::getpid()) + ".raw");
        ::setenv("SDL_AUDIODRIVER", "disk", 1);
        ::setenv("SDL_DISKAUDIOFILE", file_.c_str(), 1);
    }
    void TearDown() override {
        ::unsetenv("SDL_AUDIODRIVER");
        ::unsetenv("SDL_DISKAUDIOFILE");
        std::filesystem::remove(file_);
    }
    std::filesystem::path file_;
};

TEST_F(SoundDevice, OpensAtTheFirstSoundAndClosesAfterTheSilence) {
    SoundOutput output;
    EXPECT_FALSE(output.deadline());
    output.play({}, 1000);  // nothing to hear opens nothing
    EXPECT_FALSE(output.is_open());
    output.prepare(1000);  // the press
    ASSERT_TRUE(output.is_open()) << SDL_GetError();
    EXPECT_EQ(output.deadline(), 1000 + SoundOutput::close_after_ms);
    output.play(play::sounds_for(play::RoundStarted{3, 4}), 1100);
    const auto closes = output.deadline();
    ASSERT_TRUE(closes);
    EXPECT_GT(*closes, 1100 + SoundOutput::close_after_ms + 1000);  // after the words
    output.time_passed(*closes - 1);
    EXPECT_TRUE(output.is_open());
    output.time_passed(*closes);
    EXPECT_FALSE(output.is_open());
    EXPECT_FALSE(output.deadline());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);  // nothing of audio left running
    // Opened again by the next sound.
    output.play(play::sounds_for(play::Landed{true}), 9000);
    EXPECT_TRUE(output.is_open());
}

TEST_F(SoundDevice, NoDeviceIsSilenceAndNoError) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SoundOutput output;
    output.prepare(0);
    output.play(play::sounds_for(play::RoundStarted{3, 4}), 10);
    EXPECT_FALSE(output.is_open());
    EXPECT_FALSE(output.deadline());  // no timer for a device that is not there
}

}  // namespace
}  // namespace bolvenda::render
