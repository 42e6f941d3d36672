// The options as the terminal sees them: what plays, what answers at once, what is refused.
#include <gtest/gtest.h>

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
    EXPECT_FALSE(reply_without_window(full));
}

TEST(CommandLine, HelpAndVersionAnswerOnStandardOutputWithStatusZero) {
    for (auto help : {"--help", "-h"}) {
        auto reply = reply_without_window(parse({"--version", help, "--fullscreen"}));
        ASSERT_TRUE(reply) << help;
        EXPECT_EQ(reply->status, 0);
        EXPECT_EQ(reply->out, usage_text()) << "help wins over --version";
        EXPECT_TRUE(reply->err.empty());
    }
    auto version = reply_without_window(parse({"--version"}));
    ASSERT_TRUE(version);
    EXPECT_EQ(version->status, 0);
    EXPECT_EQ(version->out.rfind("Bolvenda 1.0.0\n", 0), 0u) << version->out;
    EXPECT_NE(version->out.find("SIL Open Font License"), std::string::npos);
    EXPECT_NE(version->out.find("SDL2"), std::string::npos);
    EXPECT_NE(version->out.find("NanoSVG"), std::string::npos);
}

TEST(CommandLine, AWrongArgumentAnywhereIsOneLineAndTheUsageWithStatusTwo) {
    const std::vector<std::vector<std::string_view>> lines = {
        {"--fulscreen"}, {"--help", "-x"}, {"--version", "--fullscreen=yes"}, {"level2"}, {"-"}};
    for (const auto& line : lines) {
        auto reply = reply_without_window(parse(line));
        ASSERT_TRUE(reply) << line.back();
        EXPECT_EQ(reply->status, 2) << line.back();
        EXPECT_TRUE(reply->out.empty());
        const std::string first = reply->err.substr(0, reply->err.find('\n') + 1);
        EXPECT_NE(first.find("'" + std::string(line.back()) + "'"), std::string::npos) << first;
        EXPECT_EQ(reply->err.substr(first.size()), usage_text());
    }
    EXPECT_NE(parse({"--fulscreen"}).problem.find("unknown option"), std::string::npos);
    EXPECT_NE(parse({"level2"}).problem.find("unexpected argument"), std::string::npos);
}

TEST(CommandLine, ControlBytesOfAWrongArgumentNeverReachTheTerminal) {
    const CommandLine command = parse({"--\x1b]0;owned\x07\n"});
    EXPECT_EQ(command.problem, "unknown option '--\\x1B]0;owned\\x07\\x0A'");
    EXPECT_EQ(reply_without_window(command)->err.find('\x1b'), std::string::npos);
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
