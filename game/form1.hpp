// Form1: the game itself. Five numbers, two slot arrays referring to the frog and fly
// pictures, and the handlers of the window's events. No platform code: it plays through
// the element table and the runtime only.
#pragma once

#include <functional>
#include <map>

#include "runtime/form_events.hpp"
#include "runtime/runtime.hpp"
#include "runtime/slot_array.hpp"
#include "scene/scene.hpp"

namespace bolvenda::game {

class Form1 final : public runtime::FormEvents {
  public:
    Form1(scene::Scene& scene, runtime::Runtime& runtime);

    // The game numbers, in this order. Single precision, whole values only.
    float n1 = 0;       // first addend: where the frog starts
    float n2 = 0;       // second addend: the length of the jump
    float somma = 0;    // n1 + n2: where the fly sits, the right answer
    float mosche = 0;   // flies presented: rounds started
    float cattura = 0;  // flies caught: right answers

    // The events, as the runtime delivers them.
    void Load() override;
    bool Click(runtime::Element& source) override;
    bool MouseMove(runtime::Element* source) override;

    // The handlers, named after element and event.
    void Form_Load();
    void Image3_Click();
    // The twenty-one number labels share one handler; k = 1..21 is the label's number.
    void Label_Click(int k);
    void Form_MouseMove();
    void Image9_Click();

    // Read-only views of the slots, for whoever checks the game from outside.
    const runtime::SlotArray<22>& anfibio_slots() const { return anfibio; }
    const runtime::SlotArray<22>& insetto_slots() const { return insetto; }

  private:
    scene::Scene* scene_;
    runtime::Runtime* runtime_;
    runtime::SlotArray<22> anfibio;  // frog on number i; slot 21 stays empty
    runtime::SlotArray<22> insetto;  // fly of number i; slot 21 stays empty
    // Each clickable element's Click handler, set up at Load.
    std::map<const runtime::Element*, std::function<void()>> click_handlers_;
};

}  // namespace bolvenda::game
