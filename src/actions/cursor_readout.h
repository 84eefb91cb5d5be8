// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/controls.h"
#include "engine/design/design_state.h"

namespace classe {

// A mouse move over the plot at (x, y) plot units: selects the curve whose
// strip holds y (y below 0 keeps the selection), rescans that curve's samples
// for its maximum, and shows the angle and the value the height stands for
// in the curve's two boxes and in the plot's tooltip; the other six boxes are
// emptied. The waveform model is not evaluated.
void ShowCursorReadout(DesignState& state, Controls& ui, float x, float y);

}  // namespace classe
