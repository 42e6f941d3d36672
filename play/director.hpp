// What the child meets beyond the form's handlers, decided in one place: which input the game
// takes and what each does, the tooltip's timing, the leap, the keyboard's focus and its ring,
// the switch's steps, which sound follows which moment, the mute, the order of the overlays.
// A platform hands it the game's own input (a pointer at a design point, a key by the game's
// own name, a page's button, the time) and does what each answer says: repaint, set the
// pointer's shape, start sounds, wake at the deadline. Nothing here knows which platform it
// runs on, so whole games play in unit tests.
//
// A click flows one way: input -> element (PointerRouter) -> its handler (EventDispatcher ->
// Form1) -> the elements that changed (Scene::changes()) -> the leap, the focus, the sounds and
// the tooltip read them -> the answer. The game itself never waits for the leap or a sound.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "game/game_core.hpp"
#include "play/frog_leap.hpp"
#include "play/keyboard_focus.hpp"
#include "play/pond_sounds.hpp"
#include "play/switch_scan.hpp"
#include "play/tooltip_tracker.hpp"
#include "scene/layout.hpp"
#include "scene/overlay.hpp"
#include "scene/pointer_router.hpp"

namespace bolvenda::play {

// The keys the game knows, by its own names; a platform maps its key codes onto them.
enum class Key : std::uint8_t {
    Tab,
    Left,
    Right,
    Home,
    End,
    Enter,
    Space,
    Up,        // the exercise read out again (it stands above the number line)
    M,         // the mute
    F11,       // between the window and the full screen, where the platform has one
    Function,  // F1..F12 but F11: the system's or the browser's
    Modifier,  // Shift, Ctrl, Alt, the system key, Caps Lock or Num Lock alone
    Other,     // any other key: only a switch's
};

struct KeyPress {
    Key key = Key::Other;
    bool shift = false;
    bool system = false;  // Ctrl, Alt or the system key held: the key is the system's
    bool repeat = false;  // held down
};

// What the platform must do after an input.
struct Answer {
    bool repaint = false;                  // the scene, the overlays or the tooltip changed
    std::optional<scene::Cursor> cursor;   // the pointer's shape, where it may have changed
    std::vector<scene::SoundPlan> sounds;  // started now, in this order
    bool open_sound = false;  // a press: the output opens now, so the click is heard at once
    bool toggle_fullscreen = false;
};

struct DirectorOptions {
    bool animate = true;  // false: the frog in its new place at once, no leap
    int scan_ms = 0;      // > 0: one switch, the focus stepping on at this pace
    bool muted = false;
};

class Director {
  public:
    Director(game::GameCore& core, DirectorOptions options = {});
    Director(const Director&) = delete;
    Director& operator=(const Director&) = delete;

    // The form loaded: before any input. The first frame is painted whole.
    Answer start(std::uint64_t now_ms);

    // The pointer at a design point, or outside the scene (nothing). Only the primary button
    // presses and releases; a touch is the same.
    Answer pointer_moved(std::optional<scene::Point> at, std::uint64_t now_ms);
    Answer pointer_pressed(std::optional<scene::Point> at, std::uint64_t now_ms);
    Answer pointer_released(std::optional<scene::Point> at, std::uint64_t now_ms);
    // The pointer left the window.
    Answer pointer_left(std::uint64_t now_ms);

    // Whether the game takes this key (a page leaves every other one to the browser; F11 and M
    // are the platform's and the page's own).
    bool takes_key(const KeyPress& key) const;
    Answer key(const KeyPress& key, std::uint64_t now_ms);

    // A page's own control for the candidate at this place of the focus order: it takes the
    // focus (and shows the ring), or is clicked as by a key.
    Answer page_focus(int position, std::uint64_t now_ms);
    Answer page_click(int position, std::uint64_t now_ms);
    // The exercise read out again (a click on it, the key Up, a page's button): nothing changes
    // on screen, and what is still being said is cut.
    Answer hear_exercise(std::uint64_t now_ms);
    // The sounds off or on again (the key M; a page's button). Muting silences at once.
    Answer toggle_mute(std::uint64_t now_ms);

    // Time has passed: a tooltip due, the leap's next frame, the switch's next step.
    Answer time_passed(std::uint64_t now_ms);
    // When time_passed() has something to do next, if ever.
    std::optional<std::uint64_t> deadline() const;

    // The window closed: the game ends as at End.
    void close();
    bool ended() const;

    // What the painter shows besides the scene's elements.
    const scene::Layout& layout() const { return layout_; }
    const std::optional<scene::Tooltip>& tooltip() const { return tips_.shown(); }
    // What is drawn over the scene now (the frog in the air, the focus's ring), in order.
    std::vector<scene::Overlay> overlays() const;
    // What the frog's leap did in the last input.
    const std::vector<FrogLeap::Event>& leap_events() const { return leap_events_; }

    bool muted() const noexcept { return sounds_.muted(); }
    bool scanning() const noexcept { return scan_.has_value(); }
    const KeyboardFocus& focus() const { return focus_; }
    // The ring around the focus while it is shown (design pixels).
    std::optional<scene::Rect> focus_ring() const;
    // Grows whenever what a page mirrors may have changed: the scene, the focus, the ring.
    std::uint64_t shown_version() const { return shown_version_; }

  private:
    // A click that reached `clicked`'s handler (nothing: none did), from the pointer, a key
    // or the page alike: the leap and the sounds follow it. Returns whether to repaint.
    // frog_before: the number the frog stood on before the click.
    bool clicked(const runtime::Element* clicked, int frog_before, std::uint64_t now_ms,
                 Answer& answer);
    bool click_focused(std::uint64_t now_ms, Answer& answer);
    bool moved_by_key(const KeyPress& key);
    // What follows every input: the focus after the scene's changes, the timers, the leap's
    // sounds, the cursor over a changed scene.
    Answer settle(bool dirty, std::uint64_t now_ms, Answer answer = {});
    std::optional<scene::Cursor> cursor_at(std::optional<scene::Point> at) const;

    game::GameCore* core_;
    scene::Layout layout_;
    scene::PointerRouter router_;
    TooltipTracker tips_;
    FrogLeap leap_;
    std::vector<FrogLeap::Event> leap_events_;
    KeyboardFocus focus_;
    std::optional<SwitchScan> scan_;
    PondSounds sounds_;
    // Whether a pointer press is on the exercise (the addends, the plus, the sign, the answer).
    bool on_exercise(std::optional<scene::Point> at) const;

    std::optional<scene::Point> pointer_;
    bool pressed_on_exercise_ = false;
    std::uint64_t shown_version_ = 0;
};

}  // namespace bolvenda::play
