// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <vector>

#include "engine/circuit/result.h"
#include "engine/circuit/stage.h"

namespace classe::parts {

// How the power and the turn-on voltage follow one part of a stage.
struct Sensitivity {
  std::string ref;  // "C1" (the capacitor bought, not the transistor's Coss), "C2", "L1", "L2",
                    // "L", "C", "R"
  bool inductor = false;
  double dlnPo = 0;  // d ln Po / d ln x
  double dvon = 0;   // d(vonFraction) / d ln x, vonFraction = (vD(π) − Von)/vPeak
  // What ±1 % on the part does: Po's relative change and vonFraction.
  double poUp = 0, poDown = 0;
  double vonUp = 0, vonDown = 0;
};

// The derivatives by central differences in ln x, small enough (1e-4) that
// their truncation (1e-8) lies below what a user reads, large enough that
// the steady state's round-off (1e-13) stays out of them.
circuit::Result<std::vector<Sensitivity>> Sensitivities(const circuit::Stage& stage);

// The inductor to make adjustable: the largest |d ln Po / d ln x| among
// them, so that the smallest turn of it reaches the power back. Index into
// the list given; none when the list has no inductor.
int AdjustablePart(const std::vector<Sensitivity>& list);

}  // namespace classe::parts
