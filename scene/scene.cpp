#include "scene/scene.hpp"

#include <charconv>
#include <stdexcept>
#include <string>

namespace bolvenda::scene {

namespace {

using runtime::ElementKind;

std::string label_caption(int k) {
    if (k <= 21) return std::to_string(k - 1);  // the number line: Label k shows k - 1
    switch (k) {
        case 23:
            return "+";
        case 25:
            return "PRONTI PER LA CATTURA!";
        case 27:
            return "AIUTA LA RANA A CATTURARE LE MOSCHE";
        case 28:
            return "MOSCHE CATTURATE:";
        case 29:
            return "999";
        case 30:
            return "SU";
        case 31:
            return "999";
        case 32:
            return "SONO STANCA! VADO A DORMIRE!";
        default:
            return "";  // 22, 24, 26: the exercise and the answer box
    }
}

const char* image_tool_tip(int k) {
    switch (k) {
        case 3:
            return "PRONTI PER LA CATTURA!";
        case 4:
            return "!!!!!!!!";
        case 5:
            return "OH,NO! MI È SCAPPATA!";
        case 6:
            return "GNAM! GNAM! CHE BUONA!";
        case 9:
            return "SONO STANCA! VADO A DORMIRE!";
        default:
            return "";  // 7, 8: the signs
    }
}

// "Label7" -> ("Label", 7); false where the name does not end in a number.
bool split_number(std::string_view name, std::string_view& stem, int& number) {
    std::size_t digits = name.find_first_of("0123456789");
    if (digits == std::string_view::npos || digits == 0) return false;
    stem = name.substr(0, digits);
    auto [end, error] = std::from_chars(name.data() + digits, name.data() + name.size(), number);
    return error == std::errc() && end == name.data() + name.size();
}

}  // namespace

Scene::Scene() : changes_(std::make_unique<runtime::Changes>()) {
    all_.reserve(element_count);
    for (int k = 1; k <= label_count; ++k) {
        auto& label = labels_[static_cast<std::size_t>(k - 1)];
        label =
            std::make_unique<Element>(*changes_, ElementKind::Label, "Label" + std::to_string(k),
                                      Element::no_index, label_caption(k), "");
        all_.push_back(label.get());
    }
    for (int k = first_image; k <= last_image; ++k) {
        auto& image = images_[static_cast<std::size_t>(k - first_image)];
        image =
            std::make_unique<Element>(*changes_, ElementKind::Image, "Image" + std::to_string(k),
                                      Element::no_index, "", image_tool_tip(k));
        all_.push_back(image.get());
    }
    image1_ = std::make_unique<ControlArray>(*changes_, ElementKind::Image, "Image1", array_size,
                                             "ORA TI CATTURO!");
    image2_ = std::make_unique<ControlArray>(*changes_, ElementKind::Image, "Image2", array_size,
                                             "AIUTOOOO!!!");
    for (ControlArray* array : {image1_.get(), image2_.get()}) {
        for (int i = 0; i < array_size; ++i) all_.push_back(&array->item(i));
    }
    for (int k = 1; k <= line_count; ++k) {
        auto& line = lines_[static_cast<std::size_t>(k - 1)];
        line = std::make_unique<Element>(*changes_, ElementKind::Line, "Line" + std::to_string(k),
                                         Element::no_index, "", "");
        all_.push_back(line.get());
    }
}

Element& Scene::Label(int k) const {
    if (k < 1 || k > label_count) throw std::out_of_range("no Label" + std::to_string(k));
    return *labels_[static_cast<std::size_t>(k - 1)];
}

Element& Scene::Image(int k) const {
    if (k < first_image || k > last_image) throw std::out_of_range("no Image" + std::to_string(k));
    return *images_[static_cast<std::size_t>(k - first_image)];
}

Element& Scene::Line(int k) const {
    if (k < 1 || k > line_count) throw std::out_of_range("no Line" + std::to_string(k));
    return *lines_[static_cast<std::size_t>(k - 1)];
}

Element* Scene::find(std::string_view name, int index) const {
    std::string_view stem;
    int number = 0;
    if (!split_number(name, stem, number)) return nullptr;
    if (index != Element::no_index) {
        if (stem != "Image" || (number != 1 && number != 2) || index < 0 || index >= array_size) {
            return nullptr;
        }
        return &(number == 1 ? *image1_ : *image2_).item(index);
    }
    if (stem == "Label" && number >= 1 && number <= label_count) return &Label(number);
    if (stem == "Image" && number >= first_image && number <= last_image) return &Image(number);
    if (stem == "Line" && number >= 1 && number <= line_count) return &Line(number);
    return nullptr;
}

Element* Scene::find_display_name(std::string_view display_name) const {
    std::size_t open = display_name.find('(');
    if (open == std::string_view::npos) return find(display_name);
    if (display_name.back() != ')') return nullptr;
    std::string_view digits = display_name.substr(open + 1, display_name.size() - open - 2);
    int index = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc() || end != digits.data() + digits.size()) return nullptr;
    return find(display_name.substr(0, open), index);
}

int Scene::first_visible(const ControlArray& pictures) {
    for (int n = 0; n < pictures.count(); ++n)
        if (pictures.item(n).visible()) return n;
    return -1;
}

}  // namespace bolvenda::scene
