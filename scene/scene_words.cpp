#include "scene/scene_words.hpp"

namespace bolvenda::scene {

namespace {

std::string shown_caption(const Element& label) {
    return label.visible() ? label.caption() : std::string();
}

std::string count(const Element& label) {
    const std::string shown = shown_caption(label);
    return shown.empty() ? "0" : shown;
}

}  // namespace

SceneWords words_of(const Scene& s) {
    SceneWords words;
    // The plus sign shows from the first round on; the sign shown is the one said.
    if (s.Label(23).visible()) {
        const char* sign = s.Image(8).visible() ? "≠" : s.Image(7).visible() ? "=" : "";
        const std::string answer = shown_caption(s.Label(26));
        words.exercise = shown_caption(s.Label(22)) + " + " + shown_caption(s.Label(24)) + " " +
                         sign + " " + (answer.empty() ? "?" : answer);
    }
    words.score = s.Label(28).caption() + " " + count(s.Label(29)) + " " + s.Label(30).caption() +
                  " " + count(s.Label(31));
    // Image6 and Image5 stand in front of the waiting face: the front one is the one seen.
    for (int k : {6, 5}) {
        if (s.Image(k).visible()) {
            words.verdict = s.Image(k).tool_tip();
            break;
        }
    }
    return words;
}

}  // namespace bolvenda::scene
