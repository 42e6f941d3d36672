// The options as the terminal sees them: what plays, what answers at once, what is set aside.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.hpp"

namespace bolvenda::app {
namespace {

CommandLine parse(std::vector<std::string_view> arguments) { return parse_command_line(arguments); }

TEST(CommandLine, PlaysWithoutOptionsAndInFullScreenOnlyWhenAsked) {
    EXPECT_EQ(parse({}).action, CommandLine::Action::Play);
    EXPECT_FALSE(parse({}).fullscreen);
    EXPECT_FALSE(reply_without_window(parse({})));
    const CommandLine full = parse({"--fullscreen", "--fullscreen"});
    EXPECT_EQ(full.action, CommandLine::Action::Play);
    EXPECT_TRUE(full.fullscreen);
    EXPECT_TRUE(full.animation);
    EXPECT_FALSE(parse({"--no-animation"}).animation);
    EXPECT_TRUE(full.sound);
    EXPECT_FALSE(parse({"--mute", "--fullscreen"}).sound);
    EXPECT_FALSE(reply_without_window(full));
    // One switch: off unless asked, 1.5 s unless told another pace.
    EXPECT_EQ(full.scan_ms, 0);
    EXPECT_EQ(parse({"--scan"}).scan_ms, 1500);
    EXPECT_EQ(parse({"--scan=2.25"}).scan_ms, 2250);
}

TEST(CommandLine, HelpAndVersionAnswerOnStandardOutputWithStatusZero) {
    for (auto help : {"--help", "-h"}) {
        auto reply = reply_without_window(parse({"--version", help, "--fullscreen"}));
        ASSERT_TRUE(reply) << help;
        EXPECT_EQ(reply->status, 0);
        EXPECT_EQ(reply->out, usage_text()) << "help wins over --version";
    }
    auto version = reply_without_window(parse({"--version"}));
    ASSERT_TRUE(version);
    EXPECT_EQ(version->status, 0);
    EXPECT_EQ(version->out.rfind("Bolvenda 1.0.0\n", 0), 0u) << version->out;
    EXPECT_NE(version->out.find("SIL Open Font License"), std::string::npos);
    EXPECT_NE(version->out.find("SDL2"), std::string::npos);
    EXPECT_EQ(notice(parse({"--version", "--fullscreen"})), "") << "nothing was set aside";
    EXPECT_NE(version->out.find("NanoSVG"), std::string::npos);
    EXPECT_NE(version->out.find("Italian FESTIVAL"), std::string::npos);
}

// A file a desktop asks the game to open, a mistyped option: one line names them all, and
// what the game knows of the line still counts.
TEST(CommandLine, WhatItDoesNotKnowIsOneLineAndTheGamePlays) {
    const CommandLine command =
        parse({"--fulscreen", "C:\\Compiti\\addizioni 1.gif", "--fullscreen", "-", "level2"});
    EXPECT_EQ(command.action, CommandLine::Action::Play);
    EXPECT_TRUE(command.fullscreen);
    EXPECT_FALSE(reply_without_window(command));
    const std::string line = notice(command);
    EXPECT_EQ(
        line.rfind("Bolvenda: ignored '--fulscreen' 'C:\\Compiti\\addizioni 1.gif' '-' 'level2' (",
                   0),
        0u)
        << line;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
    EXPECT_EQ(line.back(), '\n');
    // A pace no switch can follow is set aside too: the game plays without scanning.
    const CommandLine paces = parse({"--scan=0", "--scan=2s", "--scan=", "--scan=1e9"});
    EXPECT_EQ(paces.scan_ms, 0);
    EXPECT_EQ(paces.ignored, "'--scan=0' '--scan=2s' '--scan=' '--scan=1e9'");
    const CommandLine help = parse({"--help", "-x"});
    EXPECT_EQ(help.action, CommandLine::Action::Help);
    EXPECT_NE(notice(help).find("'-x'"), std::string::npos);
}

// The line names every option the help names, and each one it names is taken, not set aside.
TEST(CommandLine, WhatItSetsAsideNamesEveryOptionTheGameTakes) {
    const std::string line = notice(parse({"-x"}));
    const auto open = line.find("(the game takes ");
    ASSERT_NE(open, std::string::npos) << line;
    const std::string list = line.substr(open + 16, line.find(')', open) - open - 16);
    std::vector<std::string> named;
    for (std::size_t at = 0; at < list.size();) {
        const auto end = std::min(list.find(", ", at), list.size());
        named.push_back(list.substr(at, end - at));
        at = end + 2;
    }
    std::vector<std::string> helped;
    const std::string usage = usage_text();
    for (std::size_t at = usage.find("--"); at != std::string::npos; at = usage.find("--", at)) {
        const auto end = usage.find_first_of(" []|\n", at);
        const std::string option = usage.substr(at, end - at) +
                                   (usage.compare(end, 10, "[=SECONDS]") == 0 ? "[=SECONDS]" : "");
        if (std::find(helped.begin(), helped.end(), option) == helped.end())
            helped.push_back(option);
        at = end;
    }
    std::sort(named.begin(), named.end());
    std::sort(helped.begin(), helped.end());
    EXPECT_EQ(named, helped) << line;
    for (std::string option : named) {
        if (option.ends_with("[=SECONDS]")) option.replace(option.size() - 10, 10, "=2");
        EXPECT_EQ(parse({option}).ignored, "") << option;
    }
}

TEST(CommandLine, ControlBytesOfAnArgumentNeverReachTheTerminal) {
    const std::string line = notice(parse({"--\x1b]0;owned\x07\n"}));
    EXPECT_NE(line.find("'--\\x1B]0;owned\\x07\\x0A'"), std::string::npos) << line;
    EXPECT_EQ(line.find('\x1b'), std::string::npos);
}

TEST(CommandLine, TheProgramNameIsNotAnArgument) {
    char name[] = "bolvenda";
    char full[] = "--fullscreen";
    char* argv[] = {name, full, nullptr};
    EXPECT_TRUE(parse_command_line(2, argv).fullscreen);
    EXPECT_EQ(parse_command_line(1, argv).action, CommandLine::Action::Play);
    EXPECT_EQ(parse_command_line(0, argv).action, CommandLine::Action::Play);
}

}  // namespace
}  // namespace bolvenda::app
