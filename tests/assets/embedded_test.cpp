// The program carries exactly the committed files, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>

#include "scene/assets/assets.hpp"
#include "scene/picture_table.hpp"
#include "tests/assets/asset_files.hpp"

namespace bolvenda::test {
namespace {

// Each row of the table brings its stored picture and its drawing.
TEST(Embedded, NamesEveryPictureItsDrawingThePointerAndTheIcon) {
    std::vector<std::string> names;
    for (std::string_view n : assets::asset_names()) names.emplace_back(n);
    std::vector<std::string> want{"hand.cur", "bolvenda.ico", "hand.svg"};
    for (const scene::PictureRow& row : scene::picture_table) {
        want.emplace_back(row.stored);
        want.emplace_back(row.drawing);
    }
    std::sort(names.begin(), names.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(names, want);
}

TEST(Embedded, BytesEqualTheCommittedFiles) {
    for (std::string_view name : assets::asset_names()) {
        const auto bytes = assets::asset(name);
        // The drawings are embedded from the art folder.
        const auto file = committed((name.ends_with(".svg") ? "art/" : "") + std::string(name));
        ASSERT_FALSE(file.empty()) << name;
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), file.begin(), file.end())) << name;
    }
}

TEST(Embedded, UnknownNamesGiveNothing) {
    EXPECT_TRUE(assets::asset("").empty());
    EXPECT_TRUE(assets::asset("frog").empty());
    EXPECT_TRUE(assets::asset("FROG.GIF").empty());
    EXPECT_TRUE(assets::asset("frog.gif ").empty());
}

}  // namespace
}  // namespace bolvenda::test
