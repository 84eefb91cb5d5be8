// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include "actions/controls.h"

namespace classe {

struct RealCircuitState;

// The transistor's Coss(v) as the design shown uses it (the exact one, else
// the ideal one), from 0 V to that design's drain peak, with the datasheet's
// figure at Vds marked; its caption gives the range. Without a transistor
// the picture is empty and the caption says so.
void DrawCossPlot(const RealCircuitState& state, Controls& ui);

}  // namespace classe
