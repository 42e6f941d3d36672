// The table of pictures: one row for each picture the window shows, read by the layout, the
// view, the asset tools, the tests and (scene/assets/CMakeLists.txt) the build, so that a new
// picture is its drawing and one row here.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Each row: the name in code; the file stem, which names the drawing (art/STEM.svg) and the
// stored picture (STEM.gif); the stored picture's width and height; its transparent palette
// index and that entry's colour; its colours (Full, or Bilevel for one ink on paper); the size
// it is shown at in the design. The pond's transparent entry names a grey that no pixel uses,
// so the whole pond is drawn. The build reads the rows with a pattern: keep one row a line.
#define BOLVENDA_PICTURE_ROWS(ROW)                                      \
    ROW(Pond, pond, 800, 600, 251, 0x95978F, Full, 800, 600)            \
    ROW(Frog, frog, 88, 123, 15, 0xFFFFFF, Full, 80, 163)               \
    ROW(Fly, fly, 200, 185, 63, 0xFFFFFF, Full, 40, 49)                 \
    ROW(FaceWaiting, face_waiting, 64, 37, 255, 0xFFFFFF, Full, 80, 53) \
    ROW(FaceSad, face_sad, 64, 37, 255, 0xFFFFFF, Full, 80, 53)         \
    ROW(FaceHappy, face_happy, 64, 37, 255, 0xFFFFFF, Full, 80, 53)     \
    ROW(Equals, equals, 54, 47, 15, 0xFFFFFF, Bilevel, 30, 23)          \
    ROW(NotEqual, not_equal, 54, 47, 15, 0xFFFFFF, Bilevel, 30, 23)     \
    ROW(SleepingFrog, sleeping_frog, 110, 93, 255, 0xFFFFFF, Full, 81, 51)

namespace bolvenda::scene {

// The pictures the window shows, in the table's order.
enum class Picture {
#define BOLVENDA_PICTURE_ENUM(name, ...) name,
    BOLVENDA_PICTURE_ROWS(BOLVENDA_PICTURE_ENUM)
#undef BOLVENDA_PICTURE_ENUM
};

enum class PictureColours { Full, Bilevel };

struct PictureRow {
    Picture picture;
    std::string_view drawing;  // in scene/assets/art
    std::string_view stored;   // embedded, in scene/assets
    int width, height;
    int transparent_index;
    std::uint32_t transparent_colour;  // 0xRRGGBB
    PictureColours colours;
    int shown_width, shown_height;
};

inline constexpr std::array picture_table{
#define BOLVENDA_PICTURE_ROW(name, stem, w, h, index, colour, colours, shown_w, shown_h) \
    PictureRow{Picture::name,           #stem ".svg", #stem ".gif", w, h, index, colour, \
               PictureColours::colours, shown_w,      shown_h},
    BOLVENDA_PICTURE_ROWS(BOLVENDA_PICTURE_ROW)
#undef BOLVENDA_PICTURE_ROW
};

inline constexpr std::size_t picture_count = picture_table.size();

constexpr const PictureRow& row_of(Picture picture) {
    return picture_table[static_cast<std::size_t>(picture)];
}

}  // namespace bolvenda::scene
