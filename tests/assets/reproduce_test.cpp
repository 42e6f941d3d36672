// The generator turns the art into the committed files byte for byte, so the art stays the
// one source (built only where the generator's libraries are installed); the font tool cuts
// the committed typefaces from Debian's Liberation Sans, byte for byte.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "scene/assets/assets.hpp"
#include "tests/assets/asset_files.hpp"

namespace bolvenda::test {
namespace {

TEST(Generator, ReproducesTheCommittedFiles) {
#ifndef BOLVENDA_ASSET_GEN
    GTEST_SKIP() << "librsvg, cairo, libimagequant or giflib not installed: generator not built";
#else
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / ("bolvenda_assets_" + std::to_string(::getpid()));
    std::filesystem::remove_all(out);
    const std::string command = std::string("\"") + BOLVENDA_ASSET_GEN + "\" \"" +
                                BOLVENDA_ART_DIR + "\" \"" + out.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (std::string_view name : assets::asset_names()) {
        if (name.ends_with(".svg")) continue;  // the art itself, embedded as it stands
        const auto made = read_bytes(out / name);
        ASSERT_FALSE(made.empty()) << name;
        EXPECT_TRUE(made == committed(std::string(name))) << name << " differs from the art";
    }
    std::filesystem::remove_all(out);
#endif
}

TEST(FontTool, ReproducesTheCommittedTypefaces) {
    const std::filesystem::path source = "/usr/share/fonts/truetype/liberation2";
    if (!std::filesystem::exists(source / "LiberationSans-Bold.ttf") ||
        std::system("/usr/bin/python3 -c 'import fontTools.subset' 2>/dev/null") != 0) {
        GTEST_SKIP() << "fonts-liberation2 or python3-fonttools not installed";
    }
    const std::filesystem::path out =
        std::filesystem::temp_directory_path() / ("bolvenda_fonts_" + std::to_string(::getpid()));
    const std::string command = std::string("/usr/bin/python3 \"") + BOLVENDA_FONT_TOOL + "\" \"" +
                                source.string() + "\" \"" + out.string() + "\"";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char* name : {"BolvendaSans-Bold.ttf", "BolvendaSans-Regular.ttf"}) {
        const auto made = read_bytes(out / name);
        ASSERT_FALSE(made.empty()) << name;
        EXPECT_TRUE(made == committed(name)) << name << " differs from what the tool cuts";
    }
    std::filesystem::remove_all(out);
}

}  // namespace
}  // namespace bolvenda::test
