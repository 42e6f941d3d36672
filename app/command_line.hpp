// The program's options. Read before SDL starts, so that --help and --version answer at once on
// the terminal and never open a window. No option changes the game. Anything else (a file a
// desktop asks the game to open, a mistyped option) is said in one line and set aside: a
// child's game does not refuse to start.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace bolvenda::app {

struct CommandLine {
    enum class Action { Play, Help, Version };
    Action action = Action::Play;
    bool fullscreen = false;
    bool animation = true;  // the frog's leap; --no-animation shows it landed at once
    std::string ignored;    // the arguments set aside, quoted, or empty
    // One-switch play: the focus steps on every scan_ms; 0 when off (--scan, --scan=SECONDS).
    int scan_ms = 0;
    bool sound = true;  // the pond's sounds and words; --mute starts silent (M switches)
};

// The arguments after the program's name: --help wins over --version, and both over playing.
CommandLine parse_command_line(std::span<const std::string_view> arguments);
CommandLine parse_command_line(int argc, char** argv);

std::string usage_text();
std::string version_text();

// What the program writes on standard error before anything else: one line naming the
// arguments set aside, or nothing.
std::string notice(const CommandLine& command);

// What the program says and returns without a window, or nothing when it is to play.
struct Reply {
    int status = 0;
    std::string out;
};
std::optional<Reply> reply_without_window(const CommandLine& command);

}  // namespace bolvenda::app
