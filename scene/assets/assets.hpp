// The game's pictures, hand pointer and icon, compiled into the program: the view decodes
// them from these bytes (decode each once; all 21 frogs and all 21 flies share one picture).
#pragma once

#include <span>
#include <string_view>

namespace bolvenda::assets {

// The bytes of the named file ("frog.gif", "hand.cur", ...); empty for an unknown name.
std::span<const unsigned char> asset(std::string_view name);

// Every name asset() knows, in a fixed order.
std::span<const std::string_view> asset_names();

}  // namespace bolvenda::assets
