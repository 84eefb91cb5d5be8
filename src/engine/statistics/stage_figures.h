// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>

#include "engine/circuit/stage.h"

namespace classe::circuit {
struct ShootingStart;
}

namespace classe::statistics {

// What the analyses read of one stage's steady state, SI units.
struct StageFigures {
  double Po = 0;           // W, into the load
  double efficiency = 0;   // fraction
  double vPeak = 0;        // V, drain peak
  double iSwitchPeak = 0;  // A, the switch current's settled peak
  double vonFraction = 0;  // (vD(π) − Von) / vPeak, as the switch closes
};

// The figures, or none where the engine gives no steady state or a
// quantity is not finite. Never throws; the floating-point flags it raises
// are its own (the caller's are kept). With a transistor, the search starts
// from `start` when given (a nearby stage's orbit), and `orbit`, when given,
// receives this stage's for the next (left as it was without a transistor).
std::optional<StageFigures> FiguresOf(const circuit::Stage& stage,
                                      const circuit::ShootingStart* start = nullptr,
                                      circuit::ShootingStart* orbit = nullptr);

}  // namespace classe::statistics
