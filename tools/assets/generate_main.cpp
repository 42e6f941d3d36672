// bolvenda_asset_gen ART_DIR OUT_DIR: renders every picture, the hand pointer and the
// icon from their SVG sources into the files the game embeds. Same input, same bytes.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <vector>

#include "tools/assets/asset_list.hpp"
#include "tools/assets/gif_writer.hpp"
#include "tools/assets/raster.hpp"
#include "tools/assets/windows_icon.hpp"

namespace fs = std::filesystem;
using namespace bolvenda::tools;

namespace {

void write_file(const fs::path& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s ART_DIR OUT_DIR\n", argv[0]);
        return 2;
    }
    const fs::path art = argv[1], out = argv[2];
    try {
        fs::create_directories(out);
        for (const PictureRecipe& picture : picture_recipes()) {
            const Raster r = render_svg(art / picture.svg, picture.width, picture.height);
            write_file(out / picture.file, encode_gif(to_indexed(r, picture.palette)));
        }
        const IconImage hand = to_icon_image(render_svg(art / cursor_svg, 32, 32), 4);
        write_file(out / cursor_file, encode_cursor(hand, cursor_hot_x, cursor_hot_y));

        const Raster large = render_svg(art / icon_svg_large, 32, 32);
        const Raster mono = render_svg(art / icon_svg_mono, 32, 32);
        const Raster small = render_svg(art / icon_svg_small, 16, 16);
        write_file(out / icon_file, encode_icon({to_icon_image(mono, 1), to_icon_image(large, 4),
                                                 to_icon_image(small, 4)}));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bolvenda_asset_gen: %s\n", e.what());
        return 1;
    }
    return 0;
}
