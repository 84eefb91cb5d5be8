// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <functional>
#include <string>

#include "engine/design/design_state.h"

namespace classe {

// The six texts the design is computed from (Text1…Text6 of the main window).
struct DesignTexts {
  std::string Po;  // W
  std::string f;   // MHz
  std::string Q;
  std::string Von;  // V
  std::string Vcc;  // V
  std::string N;
};

// The ideal class-E design: stores Po, f, Q, Von, Vcc, N, then omega, R, L1,
// C1, L2, C0, C2, Ir and IDC, each as soon as it is computed. Does not check
// the texts. An arithmetic fault throws ArithmeticFault at its step; what was
// stored before stays, the faulting quantity keeps its old value.
//
// `afterVon` runs between storing Von and reading Vcc (the graph action warns
// there when Von > 0).
void ComputeDesign(DesignState& state, const DesignTexts& texts,
                   const std::function<void()>& afterVon = {});

}  // namespace classe
