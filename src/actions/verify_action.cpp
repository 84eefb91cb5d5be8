// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/verify_action.h"

#include <cmath>

#include "actions/input_fields.h"
#include "actions/value_boxes.h"
#include "engine/design/complex_arithmetic.h"
#include "engine/design/constants.h"
#include "engine/design/design_equations.h"
#include "engine/design/fault.h"
#include "engine/design/matching_network.h"
#include "engine/design/text_input.h"

namespace classe {
Outcome VerifyCircuit(DesignState& s, Controls& ui) {
  return RunGuarded(ui, [&] {
    ComputeDesign(s, ReadDesignTexts(ui));

    // Fundamental of Vc1, split along and across the load current.
    s.Vc1FR = Checked("Vc1FR", 8 * s.Ir / (kPiSquaredPlus4 * (s.C1 * s.omega * kPi)));
    s.Vc1FX = Checked("Vc1FX", kPiSquaredMinus4 * s.Ir / (kPiSquaredPlus4 * (2 * s.C1 * s.omega)));
    s.Vc1F = Checked("Vc1F", std::sqrt(s.Vc1FX * s.Vc1FX + s.Vc1FR * s.Vc1FR));

    const double RL = Checked("RL", Val(ui.text(fields::RL.control)));
    switch (ClassifyLoad(s.R, RL)) {
      case NetworkKind::NoNetwork:
        s.ZRe = RL;
        s.ZIm = Checked("ZIm", s.omega * s.L2 - 1 / (s.omega * s.C2));
        break;
      case NetworkKind::ShuntCAtLoad: {
        const MatchingNetwork net = ComputeMatchingNetwork(s.R, RL, s.omega);
        const double LF = Checked("LF", s.L2 + net.L);
        // C across RL: 1 / (1/RL + j·omega·C).
        s.OpARe = 1;
        s.OpAIm = 0;
        s.OpBRe = Checked("ZRe", 1 / RL);
        s.OpBIm = Checked("ZRe", s.omega * net.C);
        ComplexDiv(s, s.OpARe, s.OpAIm, s.OpBRe, s.OpBIm, "ZRe");
        s.ZRe = s.ResRe;
        s.ZIm = Checked("ZIm", s.omega * LF - 1 / (s.omega * s.C2) + s.ResIm);
        break;
      }
      case NetworkKind::ShuntCAtInput: {
        const MatchingNetwork net = ComputeMatchingNetwork(s.R, RL, s.omega);
        // C across L + RL: (RL + j·omega·L) / ((1 − omega²·C·L) + j·omega·C·RL).
        s.OpARe = RL;
        s.OpAIm = Checked("ZRe", s.omega * net.L);
        s.OpBRe = Checked("ZRe", 1 - s.omega * s.omega * net.C * net.L);
        s.OpBIm = Checked("ZRe", s.omega * net.C * RL);
        ComplexDiv(s, s.OpARe, s.OpAIm, s.OpBRe, s.OpBIm, "ZRe");
        s.ZRe = s.ResRe;
        s.ZIm = Checked("ZIm", s.omega * s.L2 - 1 / (s.omega * s.C2) + s.ResIm);
        break;
      }
    }

    s.TgPsi = Checked("tg(psi)", s.ZIm / s.ZRe);
    ShowValue(ui, boxes::TgPsi, s.TgPsi);

    // The voltage phasor is real, Vc1F + j0: current, then power as V·conj(I)/2.
    s.OpARe = s.Vc1F;
    s.OpAIm = 0;
    s.OpBRe = s.ZRe;
    s.OpBIm = s.ZIm;
    ComplexDiv(s, s.OpARe, s.OpAIm, s.OpBRe, s.OpBIm, "Ir");
    s.IrRe = s.ResRe;
    s.IrIm = s.ResIm;
    s.OpARe = s.Vc1F;
    s.OpAIm = 0;
    s.OpBRe = s.IrRe;
    s.OpBIm = -s.IrIm;
    ComplexMul(s, s.OpARe, s.OpAIm, s.OpBRe, s.OpBIm, "Po ver.");
    ShowValue(ui, boxes::PoVer, Checked("Po ver.", s.ResRe / 2));
    return Outcome::Done;
  });
}

}  // namespace classe
