// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/compute_action.h"

#include "actions/form1_controls.h"
#include "actions/input_fields.h"
#include "actions/value_boxes.h"
#include "engine/design/design_equations.h"

namespace classe {

void HideMatchingPictures(Controls& ui) {
  ui.setVisible(form1::Image2, false);
  ui.setVisible(form1::Image3, false);
}

Outcome ComputeComponents(DesignState& s, Controls& ui) {
  // RL is checked too, although the design does not use it.
  if (!CheckFields(s, ui, kDesignFields)) return Outcome::Rejected;
  HideMatchingPictures(ui);
  return RunGuarded(ui, [&] {
    ComputeDesign(s, ReadDesignTexts(ui));
    ShowValue(ui, boxes::R, s.R);
    ShowValue(ui, boxes::L1, s.L1);
    ShowValue(ui, boxes::C1, s.C1);
    ShowValue(ui, boxes::C2, s.C2);
    ShowValue(ui, boxes::L2, s.L2);
    ShowValue(ui, boxes::IDC, s.IDC);
    for (Control control : {form1::Command2, form1::Label29, form1::Label30, form1::Label31,
                            form1::Label32, form1::Label33, form1::Label34}) {
      ui.setVisible(control, true);
    }
    return Outcome::Done;
  });
}

}  // namespace classe
