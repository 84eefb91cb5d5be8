// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/action.h"
#include "actions/controls.h"
#include "engine/design/design_state.h"

namespace classe {

// "Calcola Componenti, Tensioni e Correnti": checks Text1…Text7, hides the
// matching pictures, computes the design, writes R, L1, C1, C2, L2 and IDC
// and reveals the matching-network controls.
Outcome ComputeComponents(DesignState& state, Controls& ui);

// Hides Image2 and Image3 of the main window (every compute and every graph
// action does, before computing).
void HideMatchingPictures(Controls& ui);

}  // namespace classe
