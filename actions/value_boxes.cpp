#include "actions/value_boxes.h"

#include <algorithm>
#include <array>

#include "design/fault.h"

namespace classe {
namespace {

constexpr std::array kValueBoxes{
    boxes::R,        boxes::L1,      boxes::C1,      boxes::C2,
    boxes::L2,       boxes::IDC,     boxes::Vc1max,  boxes::Iswmax,
    boxes::Irmax,    boxes::L,       boxes::C,       boxes::Vc1Teta,
    boxes::Vc1,      boxes::IswTeta, boxes::Isw,     boxes::Ic1Teta,
    boxes::Ic1,      boxes::IrTeta,  boxes::Ir,      boxes::FinalL1,
    boxes::FinalC1,  boxes::FinalC2, boxes::FinalL2, boxes::FinalL2AtInput,
    boxes::FinalC,   boxes::FinalCAtInput, boxes::FinalL, boxes::FinalLF,
    boxes::FinalRL,  boxes::TgPsi,   boxes::PoVer,
};

}  // namespace

std::span<const ValueBox> ValueBoxes() {
  return kValueBoxes;
}

const ValueBox* FindValueBox(Control control) {
  const auto it = std::find_if(kValueBoxes.begin(), kValueBoxes.end(),
                               [&](const ValueBox& box) { return box.control == control; });
  return it == kValueBoxes.end() ? nullptr : &*it;
}

std::string ValueText(const ValueBox& box, double value) {
  return Format(Checked(box.quantity, value * box.scale), box.pattern);
}

void ShowValue(Controls& ui, const ValueBox& box, double value) {
  ui.setCaption(box.control, ValueText(box, value));
}

}  // namespace classe
