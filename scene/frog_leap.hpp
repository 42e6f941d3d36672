// The frog's leap, as the view shows it. The handlers move the frog at the click (Image1's
// items); the view then draws it on its way, along an arc from where it stood to the clicked
// number, and in its place from the landing on. A click on its own number is a hop in place.
// Time is passed in, in milliseconds, so the view draws frames only while the frog is in the
// air and waits with no timeout otherwise.
#pragma once

#include <cstdint>
#include <optional>

#include "scene/layout.hpp"

namespace bolvenda::scene {

class FrogLeap {
  public:
    static constexpr std::uint64_t frame_ms = 16;  // about 60 frames a second
    static constexpr std::uint64_t hop_ms = 420;

    // The frog between two numbers: drawn at `at` instead of in the landing frog's place.
    struct InAir {
        const Element* landing;
        Rect at;
        bool facing_left;
        friend bool operator==(const InAir&, const InAir&) = default;
    };

    FrogLeap(const Scene& scene, const Layout& layout) : scene_(&scene), layout_(&layout) {}

    // How long the leap from one number to another takes: about half a second, a little
    // longer for a long jump, never more than 0.8 s.
    static std::uint64_t duration_ms(int from, int to);

    // A click reached clicked's handler; the frog stood on frog_before before it (-1: on no
    // number). A number's click with a frog on the line before and after starts a leap; any
    // other click ends one in flight, as a new round or the end shows at once. Returns whether
    // what is drawn changed.
    bool clicked(const Element& clicked, int frog_before, std::uint64_t now_ms);
    // Moves the frog on, or lands it; returns whether what is drawn changed.
    bool time_passed(std::uint64_t now_ms);
    // When the next frame is due; nothing while the frog is not in the air.
    std::optional<std::uint64_t> deadline() const;
    const std::optional<InAir>& in_air() const noexcept { return in_air_; }

    // The frog on the line now: the number whose frog is visible, or -1.
    static int frog_on(const Scene& scene);

  private:
    InAir at(std::uint64_t now_ms) const;

    const Scene* scene_;
    const Layout* layout_;
    int from_ = 0, to_ = 0;
    std::uint64_t start_ = 0, duration_ = 0, drawn_at_ = 0;
    std::optional<InAir> in_air_;
};

}  // namespace bolvenda::scene
