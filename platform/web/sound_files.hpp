// The game's sound files in a browser: one bundle the page fetches after the first frame (see
// page/bundle_sounds.js for its layout), read into a table by name. A damaged bundle reads as
// far as it is whole.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace bolvenda::web {

class SoundFiles {
  public:
    // Room for the bundle's bytes, copied in before arrived().
    std::span<unsigned char> room(std::size_t size);
    void arrived();
    bool ready() const noexcept { return ready_; }
    // The bytes of the named file; empty for an unknown name or before the bundle arrived.
    std::span<const unsigned char> file(std::string_view name) const;

  private:
    std::vector<unsigned char> bytes_;
    std::vector<std::pair<std::string_view, std::span<const unsigned char>>> files_;
    bool ready_ = false;
};

}  // namespace bolvenda::web
