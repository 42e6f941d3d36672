#include "platform/web/web_audio.hpp"

#include <emscripten.h>

#include <algorithm>
#include <vector>

#include "render/sound_mixer.hpp"

// Returns whether the page can sound.
// clang-format off
EM_JS(int, audio_start, (), {
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return 0;
    try {
        if (!Module.audioContext) {
            Module.audioContext = new Context();
            Module.audioSources = new Set();
        }
        if (Module.audioContext.state !== "running")
            Module.audioContext.resume().catch(function() {});
        return 1;
    } catch (e) {
        return 0;
    }
});
EM_JS(void, audio_stop_all, (), {
    if (!Module.audioSources) return;
    Module.audioSources.forEach(function(source) {
        try { source.stop(); } catch (e) {}
    });
    Module.audioSources.clear();
});
// samples: count signed 16-bit samples at rate, played from now.
EM_JS(void, audio_play_samples, (const void* samples, int count, int rate), {
    var context = Module.audioContext;
    if (!context || count <= 0) return;
    var buffer = context.createBuffer(1, count, rate);
    var from = new Int16Array(HEAP16.buffer, samples, count);
    var to = buffer.getChannelData(0);
    for (var i = 0; i < count; ++i) to[i] = from[i] / 32768;
    var source = context.createBufferSource();
    source.buffer = buffer;
    source.connect(context.destination);
    source.onended = function() { Module.audioSources.delete(source); };
    Module.audioSources.add(source);
    source.start();
});
EM_JS(void, audio_suspend, (), {
    if (Module.audioContext && Module.audioContext.state === "running")
        Module.audioContext.suspend().catch(function() {});
});
// clang-format on

namespace bolvenda::web {

void WebAudio::prepare(std::uint64_t now_ms) {
    quiet_at_ = std::max(quiet_at_, now_ms);
    if (!running_) running_ = audio_start() != 0;
}

void WebAudio::play(const scene::SoundPlan& plan, std::uint64_t now_ms) {
    if (plan.cues.empty() && !plan.cut) return;
    if (plan.cues.empty() && !running_) return;  // nothing plays that could be cut
    prepare(now_ms);
    if (!running_) return;
    if (plan.cut) audio_stop_all();
    if (!files_.ready()) return;
    render::SoundMixer mixer;
    mixer.play(plan, [this](scene::Sound s) { return bank_.clip(s); });
    std::vector<std::int16_t> samples(mixer.samples_left());
    mixer.render(samples);
    audio_play_samples(samples.data(), static_cast<int>(samples.size()), render::SoundMixer::rate);
    const std::uint64_t ends =
        now_ms + (samples.size() * 1000 + render::SoundMixer::rate - 1) / render::SoundMixer::rate;
    quiet_at_ = plan.cut ? ends : std::max(quiet_at_, ends);
}

std::optional<std::uint64_t> WebAudio::deadline() const {
    if (!running_) return std::nullopt;
    return quiet_at_ + suspend_after_ms;
}

void WebAudio::time_passed(std::uint64_t now_ms) {
    if (running_ && now_ms >= quiet_at_ + suspend_after_ms) {
        audio_suspend();
        running_ = false;
    }
}

}  // namespace bolvenda::web
