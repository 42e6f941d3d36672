// The game's pictures, hand pointer, icon, sounds and typefaces, compiled into the program: the
// view decodes them from these bytes (decode each once; all 21 frogs and all 21 flies share one
// picture).
#pragma once

#include <span>
#include <string_view>

namespace bolvenda::assets {

// The bytes of the named file ("frog.gif", "hand.cur", ...); empty for an unknown name.
std::span<const unsigned char> asset(std::string_view name);

// Every name asset() knows, in a fixed order.
std::span<const std::string_view> asset_names();

// The bytes of the named sound ("landing.wav", "number_7.wav", ...); empty for an unknown name.
std::span<const unsigned char> sound(std::string_view name);

// Liberation Sans, the stand-in for Arial, cut to the game's characters and renamed Bolvenda
// Sans (tools/fonts/subset_fonts.py): Bold for every caption, Regular for tooltips.
enum class Typeface { Bold, Regular };
std::span<const unsigned char> typeface(Typeface face);

}  // namespace bolvenda::assets
