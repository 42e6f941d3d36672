#include "version_record.hpp"

#include <algorithm>
#include <stdexcept>

namespace bolvenda::windows_test {

namespace {

[[noreturn]] void damaged(const std::string& what) {
    throw std::runtime_error("damaged version record: " + what);
}

// One node: WORD length, WORD value length, WORD type (1 = text), a zero-ended UTF-16 key,
// the value and then the children, each aligned to four bytes.
struct Node {
    std::string key;
    std::span<const unsigned char> value;
    bool text = false;
    std::span<const unsigned char> children;
};

std::size_t aligned(std::size_t at) { return (at + 3) & ~std::size_t{3}; }

std::uint16_t u16(std::span<const unsigned char> b, std::size_t at) {
    if (at + 2 > b.size()) damaged("read past the end");
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t u32(std::span<const unsigned char> b, std::size_t at) {
    return u16(b, at) | static_cast<std::uint32_t>(u16(b, at + 2)) << 16;
}

// UTF-16 up to the first zero or the end, as UTF-8 (the record holds no surrogates).
std::string utf8(std::span<const unsigned char> b, std::size_t at, std::size_t end,
                 std::size_t* after = nullptr) {
    std::string out;
    for (; at + 2 <= end; at += 2) {
        const char32_t c = u16(b, at);
        if (c == 0) {
            at += 2;
            break;
        }
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | c >> 6);
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | c >> 12);
            out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    if (after != nullptr) *after = at;
    return out;
}

// The node at `at` in `b`; `next` gets where its sibling starts.
Node node_at(std::span<const unsigned char> b, std::size_t at, std::size_t& next) {
    const std::size_t length = u16(b, at);
    if (length < 6 || at + length > b.size()) damaged("node length out of range");
    const std::span<const unsigned char> whole = b.subspan(at, length);
    Node n;
    const std::size_t value_length = u16(whole, 2);
    n.text = u16(whole, 4) == 1;
    std::size_t pos = 6;
    n.key = utf8(whole, pos, whole.size(), &pos);
    pos = aligned(pos);
    // A text value counts UTF-16 units, a binary one bytes.
    const std::size_t value_bytes = n.text ? 2 * value_length : value_length;
    if (pos + value_bytes > whole.size()) damaged("value of " + n.key + " beyond its node");
    n.value = whole.subspan(pos, value_bytes);
    pos = std::min(aligned(pos + value_bytes), whole.size());
    n.children = whole.subspan(pos);
    next = aligned(at + length);
    return n;
}

std::vector<Node> children_of(std::span<const unsigned char> b) {
    std::vector<Node> nodes;
    for (std::size_t at = 0; at < b.size();) nodes.push_back(node_at(b, at, at));
    return nodes;
}

std::array<std::uint16_t, 4> version(std::span<const unsigned char> fixed, std::size_t at) {
    const std::uint32_t ms = u32(fixed, at), ls = u32(fixed, at + 4);
    return {static_cast<std::uint16_t>(ms >> 16), static_cast<std::uint16_t>(ms),
            static_cast<std::uint16_t>(ls >> 16), static_cast<std::uint16_t>(ls)};
}

}  // namespace

VersionRecord read_version_record(std::span<const unsigned char> bytes) {
    std::size_t end = 0;
    const Node root = node_at(bytes, 0, end);
    if (root.key != "VS_VERSION_INFO") damaged("root key is \"" + root.key + "\"");
    if (root.value.size() != 52 || u32(root.value, 0) != 0xFEEF04BD)
        damaged("no fixed file information");
    VersionRecord record;
    record.file_version = version(root.value, 8);
    record.product_version = version(root.value, 16);

    for (const Node& child : children_of(root.children)) {
        if (child.key == "StringFileInfo") {
            for (const Node& block : children_of(child.children)) {
                StringBlock out{block.key, {}};
                for (const Node& entry : children_of(block.children))
                    out.entries.emplace_back(entry.key, utf8(entry.value, 0, entry.value.size()));
                record.string_blocks.push_back(std::move(out));
            }
        } else if (child.key == "VarFileInfo") {
            for (const Node& var : children_of(child.children)) {
                if (var.key != "Translation") {
                    record.other_keys.push_back("VarFileInfo/" + var.key);
                    continue;
                }
                for (std::size_t at = 0; at + 4 <= var.value.size(); at += 4)
                    record.translations.emplace_back(u16(var.value, at), u16(var.value, at + 2));
            }
        } else {
            record.other_keys.push_back(child.key);
        }
    }
    return record;
}

}  // namespace bolvenda::windows_test
