// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/matching_action.h"

#include "actions/form1_controls.h"
#include "actions/input_fields.h"
#include "actions/value_boxes.h"
#include "engine/design/fault.h"
#include "engine/design/matching_network.h"
#include "engine/design/text_input.h"

namespace classe {

Outcome ShowMatchingNetwork(DesignState& s, Controls& ui) {
  return RunGuarded(ui, [&] {
    const double RL = Checked("RL", Val(ui.text(fields::RL.control)));
    // R and omega as the last design computation left them, even if the
    // fields have been edited since.
    const double R = s.R;
    if (WithinBand(R, RL)) {
      ui.setVisible(form1::Image2, false);
      ui.setVisible(form1::Image3, false);
      ui.message(
          "RL differisce da R per meno del 5%, non occorre la rete adattatrice! Ma se proprio vuoi "
          "la precisione, ecco qua:");
    }
    if (RL == R) return Outcome::Done;  // nothing to match: L and C keep their texts
    ui.setVisible(form1::Image2, RL > R);
    ui.setVisible(form1::Image3, RL < R);
    const MatchingNetwork net = ComputeMatchingNetwork(R, RL, s.omega);
    ShowValue(ui, boxes::L, net.L);
    ShowValue(ui, boxes::C, net.C);
    return Outcome::Done;
  });
}

}  // namespace classe
