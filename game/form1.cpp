#include "game/form1.hpp"

#include "runtime/conversions.hpp"

namespace bolvenda::game {

using runtime::add_single;
using runtime::single_to_text;
using runtime::to_int32;
using runtime::to_single;
using runtime::whole_part;

Form1::Form1(scene::Scene& scene, runtime::Runtime& runtime) : scene_(&scene), runtime_(&runtime) {}

void Form1::Load() {
    scene::Scene& s = *scene_;
    click_handlers_[&s.Image(3)] = [this] { Image3_Click(); };
    click_handlers_[&s.Image(9)] = [this] { Image9_Click(); };
    for (int k = 1; k <= 21; ++k) click_handlers_[&s.Label(k)] = [this, k] { Label_Click(k); };
    Form_Load();
}

bool Form1::Click(runtime::Element& source) {
    // Every other element has no Click handler.
    auto handler = click_handlers_.find(&source);
    if (handler == click_handlers_.end()) return false;
    handler->second();
    return true;
}

bool Form1::MouseMove(runtime::Element* source) {
    // Image3 and Image9 have MouseMove handlers that do nothing; other elements have none.
    if (source == nullptr) {
        Form_MouseMove();
        return true;
    }
    return source == &scene_->Image(3) || source == &scene_->Image(9);
}

void Form1::Form_Load() {
    scene::Scene& s = *scene_;
    for (int i = 0; i <= 20; ++i) anfibio.fill(i, s.Image1().item(i));
    for (int i = 0; i <= 20; ++i) insetto.fill(i, s.Image2().item(i));
    // From 1: the frog on 0 and the fly away from the line stay shown.
    for (int i = 1; i <= 20; ++i) {
        anfibio.set(i, "Visible", false);
        insetto.set(i, "Visible", false);
    }
    s.Label(32).set_visible(false);
    s.Label(25).set_visible(false);
    s.Label(29).set_caption("");
    s.Label(31).set_caption("");
    s.Label(23).set_visible(false);
    s.Image(4).set_visible(true);
    for (int k = 5; k <= 8; ++k) s.Image(k).set_visible(false);
    for (int k = 1; k <= 21; ++k) s.Label(k).set_enabled(false);
}

void Form1::Image3_Click() {
    scene::Scene& s = *scene_;
    s.Image(3).set_enabled(false);
    for (int i = 0; i <= 20; ++i) {
        anfibio.set(i, "Visible", false);
        insetto.set(i, "Visible", false);
    }
    s.Image(8).set_visible(false);
    add_single(mosche, mosche, 1);
    s.Label(31).set_caption(single_to_text(mosche));
    s.Image(4).set_visible(true);
    s.Image(5).set_visible(false);
    s.Image(6).set_visible(false);
    for (int k = 1; k <= 21; ++k) s.Label(k).set_enabled(true);
    s.Label(26).set_caption("");

    runtime_->randomize(runtime_->timer());
    do {
        n1 = whole_part(to_single(static_cast<double>(runtime_->rnd()) * 20));
        n2 = whole_part(to_single(static_cast<double>(runtime_->rnd()) * 20 + 1));
        add_single(somma, n1, n2);
    } while (somma > 20);

    s.Label(22).set_caption(single_to_text(n1));
    s.Label(24).set_caption(single_to_text(n2));
    anfibio.set(to_int32(n1), "Visible", true);
    insetto.set(to_int32(somma), "Visible", true);
    s.Label(23).set_visible(true);
    s.Image(7).set_visible(true);
}

void Form1::Label_Click(int k) {
    scene::Scene& s = *scene_;
    runtime::Element& clicked = s.Label(k);
    const int d = k - 1;

    s.Image(3).set_enabled(true);
    // Hide before show: a click on the frog's own number leaves it shown there.
    anfibio.set(to_int32(n1), "Visible", false);
    anfibio.set(d, "Visible", true);
    insetto.set(to_int32(somma), "Visible", true);
    s.Label(26).set_caption(clicked.get_caption());
    for (int j = 1; j <= 21; ++j) s.Label(j).set_enabled(false);

    // Judged on the label's own caption, read again, not on d.
    const float answer = to_single(runtime::text_to_number(clicked.get_caption()));
    if (answer == somma) {
        add_single(cattura, cattura, 1);
        s.Label(29).set_caption(single_to_text(cattura));
        s.Image(6).set_visible(true);
        s.Image(7).set_visible(true);
    } else {
        s.Image(5).set_visible(true);
        s.Image(7).set_visible(false);
        s.Image(8).set_visible(true);
    }
}

void Form1::Form_MouseMove() {
    scene_->Label(25).set_visible(false);
    scene_->Label(32).set_visible(false);
}

void Form1::Image9_Click() { runtime_->end(); }

}  // namespace bolvenda::game
