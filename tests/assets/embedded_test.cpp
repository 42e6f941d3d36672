// The program carries exactly the committed files, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>

#include "scene/assets/assets.hpp"
#include "tests/assets/asset_files.hpp"

namespace bolvenda::test {
namespace {

TEST(Embedded, NamesEveryPictureThePointerAndTheIcon) {
    std::vector<std::string> names;
    for (std::string_view n : assets::asset_names()) names.emplace_back(n);
    std::vector<std::string> want{"pond.gif",         "frog.gif",      "fly.gif",
                                  "face_waiting.gif", "face_sad.gif",  "face_happy.gif",
                                  "equals.gif",       "not_equal.gif", "sleeping_frog.gif",
                                  "hand.cur",         "bolvenda.ico"};
    std::sort(names.begin(), names.end());
    std::sort(want.begin(), want.end());
    EXPECT_EQ(names, want);
}

TEST(Embedded, BytesEqualTheCommittedFiles) {
    for (std::string_view name : assets::asset_names()) {
        const auto bytes = assets::asset(name);
        const auto file = committed(std::string(name));
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
