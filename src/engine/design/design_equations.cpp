// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/design/design_equations.h"

#include <cmath>

#include "engine/design/constants.h"
#include "engine/design/fault.h"
#include "engine/design/text_input.h"

namespace classe {
void ComputeDesign(DesignState& s, const DesignTexts& texts,
                   const std::function<void()>& afterVon) {
  ClearFpFaults();
  s.Po = Checked("Po", Val(texts.Po));
  s.f = Checked("f", Val(texts.f) * 1000000);
  s.Q = Checked("Q", Val(texts.Q));
  s.Von = Checked("Von", Val(texts.Von));
  if (afterVon) afterVon();
  s.Vcc = Checked("Vcc", Val(texts.Vcc));
  s.N = RoundToInt32(Checked("N", Val(texts.N)), "N");

  s.omega = Checked("omega", s.f * kTwoPi);

  const double swing = Checked("R", s.Vcc - s.Von);
  const double swingSquared = Checked("R", 8 * (swing * swing));
  s.R = Checked("R", swingSquared / (kPiSquaredPlus4 * s.Po));

  s.L1 = Checked("L1", s.N * kChokeReactanceFactor * s.R / s.omega);
  s.C1 = Checked("C1", 8 / (kPiSquaredPlus4 * (s.R * s.omega * kPi)));
  s.L2 = Checked("L2", s.R * s.Q / s.omega);
  s.C0 = Checked("C0", 1 / (s.omega * s.omega * s.L2));
  s.C2 = Checked("C2", s.C0 / (1 - s.omega * kSeriesReactanceFactor * s.C0 * s.R));

  // Ir and IDC are built on Vcc, not on Vcc − Von: only R sees the on-voltage.
  s.Ir = Checked("Ir", 4 * s.Vcc / (s.R * std::sqrt(kPiSquaredPlus4)));
  const double eightVcc = Checked("IDC", 8 * s.Vcc);
  s.IDC = Checked("IDC", eightVcc / (kPiSquaredPlus4 * s.R));
}

}  // namespace classe
