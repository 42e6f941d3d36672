#include "app/command_line.hpp"

#include <cstdio>
#include <vector>

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
        } else if (argument == "--help" || argument == "-h") {
            help = true;
        } else if (argument == "--version") {
            version = true;
        } else {
            const bool option = argument.size() > 1 && argument.front() == '-';
            return {CommandLine::Action::Refuse, false, true,
                    (option ? "unknown option " : "unexpected argument ") + quoted(argument)};
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
    return "Usage: bolvenda [--fullscreen] [--no-animation]\n"
           "       bolvenda --help | --version\n"
           "\n"
           "A game of additions on the number line from 0 to 20, for children of five to seven.\n"
           "Click the happy frog to start a round and the sleeping frog to stop.\n"
           "\n"
           "  --fullscreen    start in full screen; F11 switches while playing\n"
           "  --no-animation  the frog lands on the clicked number at once, without leaping\n"
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
           "  GCC's C++ runtime: GPL 3 with the GCC Runtime Library Exception\n"
           "Libraries it uses:\n"
           "  SDL2: zlib License; FreeType: FreeType License; Xlib: MIT License\n"
           "\n"
           "The full texts are in the licence files installed with the program.\n";
}

std::optional<Reply> reply_without_window(const CommandLine& command) {
    switch (command.action) {
        case CommandLine::Action::Play:
            return std::nullopt;
        case CommandLine::Action::Help:
            return Reply{0, usage_text(), {}};
        case CommandLine::Action::Version:
            return Reply{0, version_text(), {}};
        case CommandLine::Action::Refuse:
            return Reply{2, {}, "Bolvenda: " + command.problem + "\n" + usage_text()};
    }
    return std::nullopt;
}

}  // namespace bolvenda::app
