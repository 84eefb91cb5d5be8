// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/action.h"
#include "actions/controls.h"
#include "engine/design/design_state.h"

namespace classe {

// " Verifica " of the final circuit window: computes the design again from
// the main window's fields as they are now (no checks), the impedance the
// output branch presents to the switch at f, and from the fundamental of Vc1
// the verified tan(psi) (Label22, 1.152 by design) and output power (Label23).
Outcome VerifyCircuit(DesignState& state, Controls& ui);

}  // namespace classe
