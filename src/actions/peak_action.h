// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/action.h"
#include "actions/controls.h"
#include "engine/design/design_state.h"

namespace classe {

// "Vc1 max,Isw max, Ir picco": checks Text1…Text7 and Text9, computes the
// design, samples Vc1, Isw and Ir at M + 1 angles and shows their largest
// samples in Label43, Label41 and Label37.
Outcome ShowPeakValues(DesignState& state, Controls& ui);

}  // namespace classe
