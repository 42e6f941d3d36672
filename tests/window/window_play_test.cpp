// A whole game in the real window: start-up, rounds, a right and a wrong answer, and the
// sleeping frog that ends it, played with the pointer and again by keys alone (the focus's
// ring then in every picture), heard through SDL's disk audio driver; then the same window at
// one and a half times the size, muted.
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>

#include "child_process.hpp"
#include "play/keyboard_focus.hpp"
#include "render/sound_mixer.hpp"
#include "scene/assets/assets.hpp"
#include "scene/assets/icon_file.hpp"
#include "tests/support/process_figures.hpp"
#include "window_fixture.hpp"

namespace bolvenda::testing {
namespace {

const scene::Rect new_round_picture = design_rect("Image3");
const scene::Rect exit_picture = design_rect("Image9");
const scene::Rect faces = design_rect("Image4");  // Image5 and 6 stand there too
const scene::Rect sign = design_rect("Image7");   // Image8 too
const scene::Rect caught = design_rect("Label29");
const scene::Rect answer_box = design_rect("Label26");

// Counts characters, not bytes: the credit holds a "©".
int utf8_length(std::string_view text) {
    int n = 0;
    for (unsigned char c : text) n += (c & 0xC0) != 0x80;
    return n;
}

// The hand pointer as the server must show it: premultiplied, transparent pixels all zero.
PointerImage expected_hand() {
    const auto hand = assets::read_icon_file(assets::asset("hand.cur"));
    if (!hand) return {};
    PointerImage p{hand->width, hand->height, hand->hot_x, hand->hot_y, {}};
    for (std::uint32_t c : hand->argb) {
        const std::uint32_t a = c >> 24;
        auto channel = [&](int shift) { return (((c >> shift) & 0xFF) * a + 127) / 255 << shift; };
        p.argb.push_back(a << 24 | channel(16) | channel(8) | channel(0));
    }
    return p;
}

bool same_pointer(PointerImage seen, const PointerImage& expected) {
    for (std::uint32_t& c : seen.argb) {
        if (c >> 24 == 0) c = 0;  // a straight-alpha server may keep colour under transparency
    }
    return seen.width == expected.width && seen.height == expected.height &&
           seen.hot_x == expected.hot_x && seen.hot_y == expected.hot_y &&
           seen.argb == expected.argb;
}

// Whether the window offers bolvenda.ico's picture as its icon, at the picture's own size.
::testing::AssertionResult offers_the_game_icon(std::vector<PointerImage> icons) {
    const auto expected = assets::read_icon_file(assets::asset("bolvenda.ico"));
    if (!expected) return ::testing::AssertionFailure() << "bolvenda.ico cannot be read";
    auto clear = [](std::vector<std::uint32_t>& argb) {
        for (std::uint32_t& c : argb) {
            if (c >> 24 == 0) c = 0;
        }
    };
    std::vector<std::uint32_t> want = expected->argb;
    clear(want);
    std::string sizes;
    for (PointerImage& icon : icons) {
        clear(icon.argb);
        if (icon.width == expected->width && icon.height == expected->height && icon.argb == want)
            return ::testing::AssertionSuccess();
        sizes += " " + std::to_string(icon.width) + "x" + std::to_string(icon.height);
    }
    return ::testing::AssertionFailure()
           << "no icon of the window is bolvenda.ico's " << expected->width << "x"
           << expected->height << " picture; it offers:" << (sizes.empty() ? " none" : sizes);
}

// What the game played, as SDL's disk driver writes it: 16-bit mono samples, silence included,
// for as long as the device is open.
class DiskAudio {
  public:
    DiskAudio()
        : file_(std::filesystem::temp_directory_path() /
                ("bolvenda-heard-" + std::to_string(::getpid()) + ".raw")) {
        std::filesystem::remove(file_);
    }
    ~DiskAudio() { std::filesystem::remove(file_); }
    std::vector<std::string> environment() const {
        return {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=" + file_.string()};
    }
    std::vector<std::int16_t> samples() const {
        std::ifstream in(file_, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        std::vector<std::int16_t> s(bytes.size() / 2);
        for (std::size_t i = 0; i < s.size(); ++i)
            s[i] = static_cast<std::int16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                             static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
        return s;
    }
    bool exists() const { return std::filesystem::exists(file_); }
    // Waits until something not silent has been played.
    bool wait_for_sound(std::chrono::seconds timeout) const {
        const auto start = std::chrono::steady_clock::now();
        while (std::chrono::steady_clock::now() - start < timeout) {
            const auto s = samples();
            if (std::any_of(s.begin(), s.end(), [](std::int16_t v) { return v != 0; })) return true;
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }
    // Waits until the device has closed: the file stops growing.
    bool wait_until_closed(std::chrono::seconds timeout) const {
        const auto start = std::chrono::steady_clock::now();
        std::uintmax_t size = 0;
        auto still_since = start;
        while (std::chrono::steady_clock::now() - start < timeout) {
            const std::uintmax_t now = exists() ? std::filesystem::file_size(file_) : 0;
            if (now != size) {
                size = now;
                still_since = std::chrono::steady_clock::now();
            } else if (std::chrono::steady_clock::now() - still_since > 1500ms) {
                return true;
            }
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }

  private:
    std::filesystem::path file_;
};

// What a traced game did that stores or sends, read from strace's files (-ff: one file a
// process, so that no call is split in two).
struct Traced {
    int calls = 0;
    std::vector<std::string> stored;   // a file created, written, removed, renamed or changed
    std::vector<std::string> sent;     // a socket that is not a local (unix) one
    std::set<std::string> local;       // where the local ones led
    std::set<std::string> read;        // files read, beyond the system's libraries and tables
    std::vector<std::string> started;  // a process forked or a program run beyond the game
};

std::string first_quoted(std::string_view text) {
    const auto open = text.find('"');
    if (open == std::string_view::npos) return {};
    return std::string(text.substr(open + 1, text.find('"', open + 1) - open - 1));
}

// `session` is the session's runtime folder (XDG_RUNTIME_DIR), emptied when it ends, where the
// sound server's client library looks for the server's socket and makes its folder.
Traced read_trace(const std::filesystem::path& folder, const std::string& session,
                  const std::string& game) {
    // Calls that change the file system whatever their flags; the devices (/dev/null, the
    // sound card, shared memory) and the session's runtime folder store nothing.
    static const std::set<std::string> changing = {
        "creat",     "mkdir",     "mkdirat", "rmdir",  "unlink",   "unlinkat",  "rename",
        "renameat",  "renameat2", "link",    "linkat", "symlink",  "symlinkat", "truncate",
        "chmod",     "fchmodat",  "chown",   "lchown", "fchownat", "utime",     "utimes",
        "utimensat", "futimesat", "mknod",   "mknodat"};
    static const std::vector<std::string> system = {"/usr/",  "/lib",  "/etc/",
                                                    "/proc/", "/sys/", "/dev/"};
    Traced t;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path());
        for (std::string line; std::getline(in, line);) {
            const auto paren = line.find('(');
            if (paren == std::string::npos || line.starts_with("+++") || line.starts_with("---"))
                continue;
            ++t.calls;
            const std::string call = line.substr(0, paren);
            const std::string path = first_quoted(line);
            const bool device = path.starts_with("/dev/") || path.starts_with(session + "/");
            if (call == "execve") {
                if (path != game) t.started.push_back(line);
            } else if (call == "fork" || call == "vfork" ||
                       ((call == "clone" || call == "clone3") &&
                        line.find("CLONE_THREAD") == std::string::npos)) {
                t.started.push_back(line);
            } else if (call == "open" || call == "openat" || call == "openat2") {
                const std::string flags = line.substr(line.find('"', line.find('"') + 1));
                const bool writes = flags.find("O_WRONLY") != std::string::npos ||
                                    flags.find("O_RDWR") != std::string::npos ||
                                    flags.find("O_CREAT") != std::string::npos ||
                                    flags.find("O_TRUNC") != std::string::npos ||
                                    flags.find("O_APPEND") != std::string::npos;
                if (writes && !device) t.stored.push_back(line);
                const bool opened = line.find(" = -1 ") == std::string::npos;
                if (!writes && opened && std::none_of(system.begin(), system.end(), [&](auto& s) {
                        return path.starts_with(s);
                    }))
                    t.read.insert(path);
            } else if (changing.contains(call)) {
                if (!device) t.stored.push_back(line);
            } else if (call == "socket" || call == "socketpair") {
                if (line.find("(AF_UNIX,") == std::string::npos) t.sent.push_back(line);
            } else if (line.find("sa_family=") != std::string::npos) {
                if (line.find("sa_family=AF_UNIX") == std::string::npos)
                    t.sent.push_back(line);
                else if (call == "connect")
                    t.local.insert(first_quoted(line.substr(line.find("sun_path="))));
            }
        }
    }
    return t;
}

template <typename Lines>
std::string listed(const Lines& lines) {
    std::string text;
    for (const auto& line : lines) text += "\n  " + line;
    return text.empty() ? " none" : text;
}

class Play : public RealWindow {
  protected:
    // Moves the pointer to the spot and waits until it shows the game's hand, or until it
    // shows anything else (`hand` false).
    ::testing::AssertionResult pointer_becomes(Spot spot, bool hand) {
        const PointerImage expected = expected_hand();
        if (expected.argb.empty())
            return ::testing::AssertionFailure() << "hand.cur cannot be read";
        std::ostringstream wanted;
        wanted << (hand ? "" : "anything but ") << "the hand (" << expected.width << "x"
               << expected.height << ", hot spot " << expected.hot_x << "," << expected.hot_y
               << ")";
        return pointer_is(
            spot, [&](const PointerImage& seen) { return same_pointer(seen, expected) == hand; },
            wanted.str());
    }
    // Moves the pointer to the spot and waits until the pointer shown passes the check.
    template <typename Check>
    ::testing::AssertionResult pointer_is(Spot spot, Check check, const std::string& wanted) {
        x_->move_pointer_to(window_, spot.x, spot.y);
        const auto deadline = std::chrono::steady_clock::now() + screen_timeout;
        std::optional<PointerImage> seen;
        do {
            seen = x_->pointer_image();
            if (!seen)
                return ::testing::AssertionFailure() << "the X server cannot show its pointer";
            if (check(*seen)) return ::testing::AssertionSuccess();
            std::this_thread::sleep_for(20ms);
        } while (std::chrono::steady_clock::now() < deadline);
        return ::testing::AssertionFailure()
               << "at " << spot.x << "," << spot.y << " the pointer (" << seen->width << "x"
               << seen->height << ", hot spot " << seen->hot_x << "," << seen->hot_y << ") is not "
               << wanted;
    }

    // The window is there with its full title and shows the start-up state.
    void expect_start_up(ExpectedGame& game) {
        ASSERT_NE(window_, None) << "no viewable window titled \"" << scene::window_title
                                 << "\"; the game "
                                 << (game_->running() ? "still runs" : "has ended")
                                 << "; its standard error:\n"
                                 << game_->standard_error();
        EXPECT_EQ(x_->title_of(window_), scene::window_title);
        EXPECT_EQ(utf8_length(x_->title_of(window_)), 85);
        auto state = x_->state_of(window_);
        ASSERT_TRUE(state);
        EXPECT_EQ(state->width, 792);
        EXPECT_EQ(state->height, 566);
        EXPECT_TRUE(offers_the_game_icon(x_->icons_of(window_)));
        ASSERT_TRUE(shows(renderer().render(game.scene()), "start-up"));
    }

    // Played by keys: the new-round picture starts focused, a round on the frog's number.
    bool keys_ = false;
    void key(unsigned long keysym) {
        x_->focus(window_);
        x_->press_key(keysym);
    }
    void new_round() {
        if (keys_)
            key(XK_Return);
        else
            click_at(centre_of(new_round_picture));
    }
    // The number d, the frog on `from`: by hops along the line, one key a number.
    void answer(int from, int d) {
        if (!keys_) return click_at(centre_of(number_label(d)));
        for (int at = from; at != d; at += d > from ? 1 : -1) key(d > from ? XK_Right : XK_Left);
        key(XK_space);
    }
    // The ring around the element while keys play, nothing for the pointer.
    std::optional<scene::Rect> ring(std::string_view name) const {
        if (!keys_) return std::nullopt;
        return play::focus_ring_around(design_rect(name));
    }
    Pixels render(ExpectedGame& game, std::string_view focused) {
        std::vector<scene::Overlay> drawn;
        if (auto r = ring(focused))
            drawn.push_back(
                scene::Overlay::mark(*r, play::focus_ring_colour, play::focus_ring_width));
        return renderer().render(game.scene(), scene::design_width, scene::design_height,
                                 std::nullopt, drawn);
    }

    // Starts a round and reads it from where frog and fly are drawn.
    Round start_round(int number) {
        const Pixels before = screen_now();
        new_round();
        auto after = next_screen(before);
        if (!after) {
            ADD_FAILURE() << "round " << number << ": the window did not change after the click";
            return {};
        }
        save(*after, "round-" + std::to_string(number) + "-found");
        auto round = find_round(*after, renderer());
        if (!round) {
            ADD_FAILURE() << "round " << number << ": no single frog and fly found on the screen";
            return {};
        }
        EXPECT_GE(round->n1, 0);
        EXPECT_LT(round->n1, round->somma);
        EXPECT_LE(round->somma, 20);
        return *round;
    }

    // Waits for the first frame after a click in which the frog has left where it stood
    // (`before`) and holds it against `landed`, in the rows only frogs reach. A frame put on
    // screen in parts may show it on no number for a moment (`no_frog`), never elsewhere.
    ::testing::AssertionResult first_frame_shows(const Pixels& before, const Pixels& no_frog,
                                                 const Pixels& landed) {
        const scene::Rect rows = frog_rows();
        const auto deadline = std::chrono::steady_clock::now() + screen_timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            const std::optional<Pixels> now = x_->capture(window_);
            if (!now || compare(*now, before, rows).count == 0 ||
                compare(*now, no_frog, rows).count == 0)
                continue;
            save(*now, "first-frame");
            const Difference d = compare(*now, landed, rows);
            if (d.count == 0) return ::testing::AssertionSuccess();
            save(landed, "first-frame-expected");
            return ::testing::AssertionFailure()
                   << "the first frame after the click shows the frog elsewhere than where it "
                      "lands: "
                   << d.describe();
        }
        return ::testing::AssertionFailure() << "the frog did not leave its number";
    }
};

// Where the platform's setting is made by a command, it is made for one test and taken back.
class AnimationLeftOut {
  public:
    AnimationLeftOut() {
        DisplayEnvironment& env = DisplayEnvironment::get();
        if (!env.game().animation_off.empty())
            failure_ = env.run_to_end(env.game().animation_off, "leaving the animation out");
    }
    ~AnimationLeftOut() {
        DisplayEnvironment& env = DisplayEnvironment::get();
        if (!env.game().animation_on.empty())
            env.run_to_end(env.game().animation_on, "showing the animation again");
    }
    AnimationLeftOut(const AnimationLeftOut&) = delete;
    AnimationLeftOut& operator=(const AnimationLeftOut&) = delete;
    const std::string& failure() const { return failure_; }

  private:
    std::string failure_;
};

class PlayBy : public Play, public ::testing::WithParamInterface<bool> {};

TEST_P(PlayBy, AWholeGameLooksAsTheOffscreenRender) {
    keys_ = GetParam();
    ExpectedGame game;
    DiskAudio heard;
    start_game(heard.environment());
    ASSERT_NO_FATAL_FAILURE(expect_start_up(game));
    const Pixels start_up = screen_now();
    EXPECT_FALSE(heard.exists()) << "the sound device opened before any sound";

    const Round first = start_round(1);
    ASSERT_FALSE(HasFailure());
    // The new round is heard (the fly, the addition read out). The device opened at the
    // press: where the first sound stands in its stream is how long the click took to be heard.
    EXPECT_TRUE(heard.wait_for_sound(10s)) << "nothing was heard after the new round's click";
    const auto stream = heard.samples();
    const auto onset = std::find_if(stream.begin(), stream.end(), [](std::int16_t v) { return v; });
    std::printf("the new round heard %.1f ms into the device's stream\n",
                1000.0 * static_cast<double>(onset - stream.begin()) / render::SoundMixer::rate);
    game.round_started(first, 1, 0);
    const std::string frog_number = "Label" + std::to_string(first.n1 + 1);
    ASSERT_TRUE(shows(render(game, frog_number), "round-1"));

    if (!keys_) {
        // Over a number that can be clicked the pointer is the game's hand; over the pond not.
        EXPECT_TRUE(pointer_becomes(centre_of(number_label(first.somma)), true));
        EXPECT_TRUE(pointer_becomes({600, 200}, false));
    }
    answer(first.n1, first.somma);
    game.answered(first, first.somma, 1);
    const Pixels right = render(game, "Image3");
    EXPECT_TRUE(shows(right, "right-answer-happy-face", faces));
    EXPECT_TRUE(shows(right, "right-answer-caught-1", caught));
    ASSERT_TRUE(shows(right, "right-answer"));
    EXPECT_GT(compare(right, start_up, faces).count, 0) << "the waiting face still shows";
    // The frog's words over, the device is closed again after a silence...
    ASSERT_TRUE(heard.wait_until_closed(20s)) << "the sound device stays open at rest";
    const auto after = heard.samples();
    const std::size_t rest = render::SoundMixer::rate;  // the last second before it closed
    ASSERT_GT(after.size(), rest);
    EXPECT_TRUE(std::all_of(after.end() - rest, after.end(), [](std::int16_t v) { return v == 0; }))
        << "sound in the last second before the device closed";
    EXPECT_TRUE(std::any_of(after.begin(), after.end() - rest, [](std::int16_t v) {
        return v != 0;
    })) << "the answer was not heard";
    // ...and, landed, the game draws no more frames: no CPU at all while nothing happens.
    const long ticks = process_figures(game_->pid()).cpu_ticks;
    std::this_thread::sleep_for(600ms);
    EXPECT_EQ(process_figures(game_->pid()).cpu_ticks, ticks) << "CPU used after the frog landed";

    const Round second = start_round(2);
    ASSERT_FALSE(HasFailure());
    game.round_started(second, 2, 1);
    ASSERT_TRUE(shows(render(game, "Label" + std::to_string(second.n1 + 1)), "round-2"));

    // 0 is wrong in every round (the sum is at least 1): "0" in the answer box and ≠.
    answer(second.n1, 0);
    game.answered(second, 0, 1);
    const Pixels sad = render(game, "Image3");
    EXPECT_TRUE(shows(sad, "wrong-answer-sad-face", faces));
    EXPECT_TRUE(shows(sad, "wrong-answer-not-equal", sign));
    EXPECT_TRUE(shows(sad, "wrong-answer-0", answer_box));
    ASSERT_TRUE(shows(sad, "wrong-answer"));
    EXPECT_GT(compare(sad, right, faces).count, 0) << "the happy face still shows";
    EXPECT_GT(compare(sad, right, sign).count, 0) << "the equals sign still shows";
    EXPECT_GT(compare(sad, start_up, answer_box).count, 0) << "the answer box stayed empty";

    // 9 as any other number: ≠ where it is wrong, the fly caught where it is the sum.
    const Round third = start_round(3);
    ASSERT_FALSE(HasFailure());
    game.round_started(third, 3, 1);
    ASSERT_TRUE(shows(render(game, "Label" + std::to_string(third.n1 + 1)), "round-3"));
    answer(third.n1, 9);
    game.answered(third, 9, third.somma == 9 ? 2 : 1);
    ASSERT_TRUE(shows(render(game, "Image3"), "answer-9"));

    if (keys_) {
        key(XK_Tab);
        ASSERT_TRUE(shows(render(game, "Image9"), "exit-focused"));
        key(XK_Return);
    } else {
        click_at(centre_of(exit_picture));
    }
    EXPECT_EQ(game_->wait_for_exit(10s), 0) << game_->standard_error();
}

INSTANTIATE_TEST_SUITE_P(Window, PlayBy, ::testing::Values(false, true),
                         [](const auto& by) { return by.param ? "Keys" : "Pointer"; });

TEST_F(Play, AtOneAndAHalfTimesTheSizeTheSceneScalesAndStillAnswers) {
    ExpectedGame game;
    DiskAudio heard;
    start_game(heard.environment(), true, {"--mute"});
    ASSERT_NO_FATAL_FAILURE(expect_start_up(game));
    const Round round = start_round(1);
    ASSERT_FALSE(HasFailure());
    game.round_started(round, 1, 0);
    ASSERT_TRUE(shows(renderer().render(game.scene()), "round"));

    constexpr int width = 1188, height = 849;
    x_->move_resize(window_, 0, 0, width, height);
    ASSERT_TRUE(shows(renderer().render(game.scene(), width, height), "round-scaled"));

    // The design position of the number would be another number, or none, at this scale.
    const scene::Viewport scaled = scene::Viewport::fit(width, height);
    ASSERT_EQ(scaled.scale(), 1.5);
    // The hand grows with the scene, its fingertip where it was on the small one.
    const Spot over = centre_of(number_label(round.somma), scaled);
    const PointerImage small = expected_hand();
    EXPECT_TRUE(pointer_is(
        over,
        [&](const PointerImage& seen) {
            return seen.width == 48 && seen.height == 48 &&
                   seen.hot_x == static_cast<int>((small.hot_x + 0.5) * 1.5) &&
                   seen.hot_y == static_cast<int>((small.hot_y + 0.5) * 1.5);
        },
        "the hand at 48 x 48, its hot spot scaled"));
    click_at(centre_of(number_label(round.somma), scaled));
    game.answered(round, round.somma, 1);
    ASSERT_TRUE(shows(renderer().render(game.scene(), width, height), "right-answer-scaled"));
    // Muted: no device was ever opened for the round or the answer.
    EXPECT_FALSE(heard.exists()) << "--mute played sound";

    x_->send_delete_window(window_);
    EXPECT_EQ(game_->wait_for_exit(10s), 0) << game_->standard_error();
}

// Nothing stored, nothing sent: a whole round traced, with every process the game starts, in a
// HOME of its own (its XDG folders below it) that must stay empty, and a runtime folder as a
// desktop session has. Its only sockets are local ones, the display's and the sound server's.
TEST_F(Play, AWholeRoundStoresNothingAndSendsNothing) {
    const GameProgram& program = DisplayEnvironment::get().game();
    if (!program.traceable) GTEST_SKIP() << "traced, the calls would be Wine's, not the game's";
    const auto strace = find_on_path("strace");
    if (!strace) GTEST_SKIP() << "strace is not installed (scripts/install-deps.sh test does)";
    char made[] = "/tmp/bolvenda-private-XXXXXX";
    ASSERT_NE(mkdtemp(made), nullptr);
    struct Scratch {
        std::filesystem::path dir;
        ~Scratch() {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
        }
    } scratch{made};
    const std::filesystem::path home = scratch.dir / "home", calls = scratch.dir / "calls",
                                runtime = scratch.dir / "runtime";
    std::filesystem::create_directories(home);
    std::filesystem::create_directories(calls);
    Launch launch;
    launch.argv = {*strace,
                   "-ff",
                   "-qq",
                   "-o",
                   (calls / "call").string(),
                   "-e",
                   "trace=%file,%network,%process"};
    launch.argv.insert(launch.argv.end(), program.argv.begin(), program.argv.end());
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    std::vector<std::string> own = {"HOME=" + home.string(), "XDG_RUNTIME_DIR=" + runtime.string()};
    for (const char* xdg : {"CONFIG", "DATA", "CACHE", "STATE"})
        own.push_back(std::string("XDG_") + xdg + "_HOME=" + (home / xdg).string());
#ifdef BOLVENDA_SANITIZED
    // LeakSanitizer cannot work under a tracer and fails the game's exit; the other tests
    // look for leaks.
    const char* asan = std::getenv("ASAN_OPTIONS");
    own.push_back(std::string("ASAN_OPTIONS=") + (asan != nullptr ? asan : "") + ":detect_leaks=0");
#endif
    launch.environment = on_display(display_, own);
    game_ = std::make_unique<ChildProcess>(launch);
    window_ = x_->wait_for_window(scene::window_title, window_timeout).value_or(None);

    ExpectedGame game;
    ASSERT_NO_FATAL_FAILURE(expect_start_up(game));
    const Round round = start_round(1);
    ASSERT_FALSE(HasFailure());
    game.round_started(round, 1, 0);
    ASSERT_TRUE(shows(renderer().render(game.scene()), "round"));
    click_at(centre_of(number_label(round.somma)));
    game.answered(round, round.somma, 1);
    ASSERT_TRUE(shows(renderer().render(game.scene()), "right-answer"));
    click_at(centre_of(exit_picture));
    ASSERT_EQ(game_->wait_for_exit(20s), 0) << game_->standard_error();

    const Traced traced = read_trace(calls, runtime.string(), program.argv.front());
    EXPECT_GT(traced.calls, 0) << "nothing was traced";
    EXPECT_FALSE(traced.local.empty()) << "no connection to the display was seen in the trace";
    EXPECT_TRUE(traced.stored.empty()) << "files changed:" << listed(traced.stored);
    EXPECT_TRUE(traced.sent.empty()) << "sockets that are not local:" << listed(traced.sent);
    // Nothing that could outlive the game: no other program run, no process forked.
    EXPECT_TRUE(traced.started.empty()) << "processes started:" << listed(traced.started);
    EXPECT_TRUE(std::filesystem::is_empty(home)) << "the game left files in its HOME";
    std::printf("local sockets:%s\nfiles read beyond the system's:%s\n",
                listed(traced.local).c_str(), listed(traced.read).c_str());
}

// As the system asks (Linux: --no-animation; Windows: "show animations" off): the frog is on
// the clicked number in the first frame after the click.
TEST_F(Play, WithTheAnimationLeftOutTheFrogIsOnTheClickedNumberAtOnce) {
    AnimationLeftOut setting;
    ASSERT_TRUE(setting.failure().empty()) << setting.failure();
    ExpectedGame game;
    start_game({}, true, DisplayEnvironment::get().game().no_animation_arguments);
    ASSERT_NO_FATAL_FAILURE(expect_start_up(game));
    const Round round = start_round(1);
    ASSERT_FALSE(HasFailure());
    game.round_started(round, 1, 0);
    const Pixels before = renderer().render(game.scene());
    ASSERT_TRUE(shows(before, "round-1"));
    ExpectedGame none;
    none.round_started(round, 1, 0);
    for (int i = 0; i < none.scene().Image1().count(); ++i)
        none.scene().Image1().item(i).set_visible(false);
    const Pixels no_frog = renderer().render(none.scene());

    const int d = round.n1 == 9 ? 0 : 9;  // a leap, never a hop in place
    click_at(centre_of(number_label(d)));
    game.answered(round, d, d == round.somma ? 1 : 0);
    const Pixels landed = renderer().render(game.scene());
    EXPECT_TRUE(first_frame_shows(before, no_frog, landed));
    ASSERT_TRUE(shows(landed, "answered"));

    click_at(centre_of(exit_picture));
    EXPECT_EQ(game_->wait_for_exit(10s), 0) << game_->standard_error();
}

}  // namespace
}  // namespace bolvenda::testing
