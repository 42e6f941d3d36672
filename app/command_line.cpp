#include "app/command_line.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "play/switch_scan.hpp"

namespace bolvenda::app {

namespace {

// An argument shown back on the terminal: control bytes written out, so that a stray escape
// sequence in it cannot reach the terminal.
std::string quoted(std::string_view argument) {
    std::string text = "'";
    for (unsigned char c : argument) {
        if (c < 0x20 || c == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            text += escaped;
        } else {
            text += static_cast<char>(c);
        }
    }
    return text + "'";
}

// --scan=SECONDS: the pace in milliseconds, or 0 where it is not a pace a switch can follow.
int scan_pace_ms(std::string_view seconds) {
    const std::string text(seconds);
    char* end = nullptr;
    const double value = text.empty() ? 0 : std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || !(value >= 0.25) || !(value <= 60))
        return 0;
    return static_cast<int>(std::lround(value * 1000));
}

}  // namespace

CommandLine parse_command_line(std::span<const std::string_view> arguments) {
    CommandLine command;
    bool help = false;
    bool version = false;
    for (std::string_view argument : arguments) {
        if (argument == "--fullscreen") {
            command.fullscreen = true;
        } else if (argument == "--no-animation") {
            command.animation = false;
        } else if (argument == "--scan") {
            command.scan_ms = static_cast<int>(play::SwitchScan::default_ms);
        } else if (argument.starts_with("--scan=") && scan_pace_ms(argument.substr(7)) != 0) {
            command.scan_ms = scan_pace_ms(argument.substr(7));
        } else if (argument == "--mute") {
            command.sound = false;
        } else if (argument == "--help" || argument == "-h") {
            help = true;
        } else if (argument == "--version") {
            version = true;
        } else {
            if (!command.ignored.empty()) command.ignored += ' ';
            command.ignored += quoted(argument);
        }
    }
    if (help)
        command.action = CommandLine::Action::Help;
    else if (version)
        command.action = CommandLine::Action::Version;
    return command;
}

CommandLine parse_command_line(int argc, char** argv) {
    std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0),
                                            argv + (argc > 0 ? argc : 0));
    return parse_command_line(arguments);
}

std::string usage_text() {
    return "Usage: bolvenda [--fullscreen] [--no-animation] [--mute] [--scan[=SECONDS]]\n"
           "       bolvenda --help | --version\n"
           "\n"
           "A game of additions on the number line from 0 to 20, for children of five to seven.\n"
           "Click the happy frog to start a round and the sleeping frog to stop.\n"
           "Keys: Tab and the arrows move the blue ring, Enter or Space click what it is on.\n"
           "\n"
           "  --fullscreen    start in full screen; F11 switches while playing\n"
           "  --no-animation  the frog lands on the clicked number at once, without leaping\n"
           "  --mute          start without sounds and words; M switches them while playing\n"
           "  --scan[=SECONDS]  one switch: the ring moves on by itself every SECONDS (1.5),\n"
           "                  any key or click clicks what it is on\n"
           "  -h, --help      show this help and exit\n"
           "  --version       show the version and the licences and exit\n";
}

std::string version_text() {
    return "Bolvenda " BOLVENDA_VERSION
           "\n"
           "Copyright (c) 2026 Squadra Bolvenda; MIT License.\n"
           "\n"
           "Inside the program:\n"
           "  Bolvenda Sans Bold and Regular fonts, cut from Liberation Sans:\n"
           "    SIL Open Font License 1.1\n"
           "  NanoSVG, which draws the pictures above the design size: zlib License\n"
           "  the words, spoken by the Italian FESTIVAL Modules' voice lp: GPL 2 or later\n"
           "  GCC's C++ runtime: GPL 3 with the GCC Runtime Library Exception\n"
           "Libraries it uses:\n"
           "  SDL2: zlib License; FreeType: FreeType License; Xlib: MIT License\n"
           "\n"
           "The full texts are in the licence files installed with the program.\n";
}

std::string notice(const CommandLine& command) {
    if (command.ignored.empty()) return {};
    return "Bolvenda: ignored " + command.ignored +
           " (the game takes --fullscreen, --no-animation, --mute, --scan[=SECONDS], --help, "
           "--version)\n";
}

std::optional<Reply> reply_without_window(const CommandLine& command) {
    switch (command.action) {
        case CommandLine::Action::Play:
            return std::nullopt;
        case CommandLine::Action::Help:
            return Reply{0, usage_text()};
        case CommandLine::Action::Version:
            return Reply{0, version_text()};
    }
    return std::nullopt;
}

}  // namespace bolvenda::app
