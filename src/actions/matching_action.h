// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/action.h"
#include "actions/controls.h"
#include "engine/design/design_state.h"

namespace classe {

// "Calcola rete adattamento": the L-network that turns RL (Text7, read
// without a check) into the R of the last design, with its picture (Image2
// for RL > R, Image3 for RL < R) and L, C in Label29, Label30. Within 5 % of
// R a message says no network is needed, and the network is still shown
// unless RL equals R exactly.
Outcome ShowMatchingNetwork(DesignState& state, Controls& ui);

}  // namespace classe
