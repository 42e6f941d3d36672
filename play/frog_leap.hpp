// The frog's leap, as the view shows it. The handlers move the frog at the click (Image1's
// items); the view then draws it on its way, along an arc from where it stood to the clicked
// number, and in its place from the landing on. A click on its own number is a hop in place.
// Where the frog went is read from the elements the click changed: the frog hidden is where
// it stood, the frog shown where it lands.
// Time is passed in, in milliseconds, so the view draws frames only while the frog is in the
// air and waits with no timeout otherwise.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "scene/layout.hpp"
#include "scene/overlay.hpp"

namespace bolvenda::play {

using scene::Element;
using scene::Layout;
using scene::Overlay;
using scene::Placement;
using scene::Rect;
using scene::Scene;

class FrogLeap {
  public:
    static constexpr std::uint64_t frame_ms = 16;  // about 60 frames a second
    static constexpr std::uint64_t hop_ms = 420;

    // What the leap did, in order, for whoever follows it besides the painter (a sound).
    struct Event {
        enum class Kind : std::uint8_t {
            TookOff,   // from `from` toward `to`; the same number is a hop in place
            Landed,    // on `to`, in its own time
            CutShort,  // a later click showed the frog on `to` at once
        };
        Kind kind;
        int from;
        int to;
        bool hop() const noexcept { return from == to; }
        friend bool operator==(const Event&, const Event&) = default;
    };

    // animate = false lands the frog at once: the events are the same, nothing is in the air.
    FrogLeap(const Scene& scene, const Layout& layout, bool animate = true)
        : scene_(&scene), layout_(&layout), animate_(animate) {}

    // How long the leap from one number to another takes: about half a second, a little
    // longer for a long jump, never more than 0.8 s.
    static std::uint64_t duration_ms(int from, int to);

    // clicked's Click handler ran and changed the elements changed (Scene::changes(), before
    // the view takes them). A click on a number that the frog went to starts a leap; any other
    // click ends one in flight, as a new round or the end shows at once. Returns whether what
    // is drawn changed.
    bool clicked(const Element& clicked, std::span<const Element* const> changed,
                 std::uint64_t now_ms);
    // Moves the frog on, or lands it; returns whether what is drawn changed.
    bool time_passed(std::uint64_t now_ms);
    // When the next frame is due; nothing while the frog is not in the air.
    std::optional<std::uint64_t> deadline() const;
    bool in_air() const noexcept { return in_air_.has_value(); }
    // The frog between two numbers, drawn there instead of in its landing place; none while
    // it is not in the air.
    std::span<const Overlay> overlays() const noexcept {
        return in_air_ ? std::span<const Overlay>(&*in_air_, 1) : std::span<const Overlay>();
    }
    // What the leap did since the last call, oldest first.
    std::vector<Event> take_events() noexcept { return std::move(events_); }

  private:
    Overlay at(std::uint64_t now_ms) const;
    void land(Event::Kind how);

    const Scene* scene_;
    const Layout* layout_;
    bool animate_;
    int from_ = 0, to_ = 0;
    std::uint64_t start_ = 0, duration_ = 0, drawn_at_ = 0;
    std::optional<Overlay> in_air_;
    std::vector<Event> events_;
};

}  // namespace bolvenda::play
