// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/action.h"
#include "actions/controls.h"
#include "engine/design/design_state.h"

namespace classe {

// "Circuito definitivo": checks Text1…Text7, opens Form3, computes the design
// and shows the final circuit of the load's case (Picture3 without network,
// Picture1 with L2 and L merged into LF, Picture2 with L2, C and L), every
// component row that case has, and their values.
Outcome ShowFinalCircuit(DesignState& state, Controls& ui);

}  // namespace classe
