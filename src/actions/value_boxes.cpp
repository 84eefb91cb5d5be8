// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/value_boxes.h"

#include <algorithm>
#include <array>

#include "engine/design/fault.h"

namespace classe {
namespace {

// clang-format off
constexpr std::array kValueBoxes{
    boxes::R,        boxes::L1,      boxes::C1,      boxes::C2,
    boxes::L2,       boxes::IDC,     boxes::Vc1max,  boxes::Iswmax,
    boxes::Irmax,    boxes::L,       boxes::C,       boxes::Vc1Teta,
    boxes::Vc1,      boxes::IswTeta, boxes::Isw,     boxes::Ic1Teta,
    boxes::Ic1,      boxes::IrTeta,  boxes::Ir,      boxes::FinalL1,
    boxes::FinalC1,  boxes::FinalC2, boxes::FinalL2, boxes::FinalL2AtInput,
    boxes::FinalC,   boxes::FinalCAtInput, boxes::FinalL, boxes::FinalLF,
    boxes::FinalRL,  boxes::TgPsi,   boxes::PoVer,
    boxes::RIdeal,
    boxes::RExact,
    boxes::L1Ideal,
    boxes::L1Exact,
    boxes::C1Ideal,
    boxes::C1Exact,
    boxes::C1ToBuyIdeal,
    boxes::C1ToBuyExact,
    boxes::C2Ideal,
    boxes::C2Exact,
    boxes::L2Ideal,
    boxes::L2Exact,
    boxes::NetworkLIdeal,
    boxes::NetworkLExact,
    boxes::NetworkCIdeal,
    boxes::NetworkCExact,
    boxes::Iterations,
    boxes::PoIdeal,
    boxes::PoExact,
    boxes::PoNgspice,
    boxes::PoDifference,
    boxes::EfficiencyIdeal,
    boxes::EfficiencyExact,
    boxes::EfficiencyNgspice,
    boxes::EfficiencyDifference,
    boxes::TurnOnIdeal,
    boxes::TurnOnExact,
    boxes::TurnOnNgspice,
    boxes::TurnOnDifference,
    boxes::VpeakIdeal,
    boxes::VpeakExact,
    boxes::PeakRatioIdeal,
    boxes::PeakRatioExact,
    boxes::MarginIdeal,
    boxes::MarginExact,
    boxes::SwitchPeakIdeal,
    boxes::SwitchPeakExact,
    boxes::SecondIdeal,
    boxes::SecondExact,
    boxes::ThirdIdeal,
    boxes::ThirdExact,
    boxes::CurrentL1Ideal,
    boxes::VoltageL1Ideal,
    boxes::CurrentL1Exact,
    boxes::VoltageL1Exact,
    boxes::CurrentC1Ideal,
    boxes::VoltageC1Ideal,
    boxes::CurrentC1Exact,
    boxes::VoltageC1Exact,
    boxes::CurrentC2Ideal,
    boxes::VoltageC2Ideal,
    boxes::CurrentC2Exact,
    boxes::VoltageC2Exact,
    boxes::CurrentL2Ideal,
    boxes::VoltageL2Ideal,
    boxes::CurrentL2Exact,
    boxes::VoltageL2Exact,
    boxes::CurrentNetworkLIdeal,
    boxes::VoltageNetworkLIdeal,
    boxes::CurrentNetworkLExact,
    boxes::VoltageNetworkLExact,
    boxes::CurrentNetworkCIdeal,
    boxes::VoltageNetworkCIdeal,
    boxes::CurrentNetworkCExact,
    boxes::VoltageNetworkCExact,
    boxes::CurrentLoadIdeal,
    boxes::VoltageLoadIdeal,
    boxes::CurrentLoadExact,
    boxes::VoltageLoadExact,
    boxes::CurrentSwitchIdeal,
    boxes::VoltageSwitchIdeal,
    boxes::CurrentSwitchExact,
    boxes::VoltageSwitchExact,
    boxes::CursorTeta,
    boxes::CursorExact,
    boxes::CursorIdeal,
};
// clang-format on

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
