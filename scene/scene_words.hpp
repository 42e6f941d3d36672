// The scene told in words, for a screen reader: the exercise, the score line and the verdict
// face's words, read from the elements exactly as they are shown now.
#pragma once

#include <string>

#include "scene/scene.hpp"

namespace bolvenda::scene {

struct SceneWords {
    // "3 + 4 = ?" while the round waits for its answer, then "3 + 4 = 7" or "3 + 4 ≠ 5";
    // empty before the first round.
    std::string exercise;
    // "MOSCHE CATTURATE: 1 SU 2"; a counter the screen leaves blank is read as 0.
    std::string score;
    // The shown verdict face's tooltip, "GNAM! GNAM! CHE BUONA!" or "OH,NO! MI È SCAPPATA!";
    // empty while the frog waits.
    std::string verdict;
    friend bool operator==(const SceneWords&, const SceneWords&) = default;
};

SceneWords words_of(const Scene& scene);

}  // namespace bolvenda::scene
