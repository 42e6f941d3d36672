// SDL_image, which the window uses, decodes every embedded picture, pointer and icon.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "scene/assets/assets.hpp"

namespace bolvenda::test {
namespace {

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};

std::unique_ptr<SDL_Surface, SurfaceDeleter> decode(std::string_view name, const char* type) {
    const auto bytes = assets::asset(name);
    SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
    return std::unique_ptr<SDL_Surface, SurfaceDeleter>(IMG_LoadTyped_RW(rw, 1, type));
}

TEST(Decode, EveryPictureAtItsSizeWithATransparentColour) {
    struct Want {
        const char* name;
        int w, h;
    };
    for (const Want& p : {Want{"pond.gif", 800, 600}, {"frog.gif", 88, 123}, {"fly.gif", 200, 185},
                          {"face_waiting.gif", 64, 37}, {"face_sad.gif", 64, 37},
                          {"face_happy.gif", 64, 37}, {"equals.gif", 54, 47},
                          {"not_equal.gif", 54, 47}, {"sleeping_frog.gif", 110, 93}}) {
        const auto s = decode(p.name, "GIF");
        ASSERT_TRUE(s) << p.name << ": " << IMG_GetError();
        EXPECT_EQ(s->w, p.w) << p.name;
        EXPECT_EQ(s->h, p.h) << p.name;
        Uint32 key = 0;
        EXPECT_EQ(SDL_GetColorKey(s.get(), &key), 0) << p.name << " keeps its transparency";
    }
}

TEST(Decode, HandPointerAndIcon) {
    const auto hand = decode("hand.cur", "CUR");
    ASSERT_TRUE(hand) << IMG_GetError();
    EXPECT_EQ(hand->w, 32);
    EXPECT_EQ(hand->h, 32);
    const auto icon = decode("bolvenda.ico", "ICO");
    ASSERT_TRUE(icon) << IMG_GetError();
    EXPECT_EQ(icon->w, 32);
    EXPECT_EQ(icon->h, 32);
}

}  // namespace
}  // namespace bolvenda::test
