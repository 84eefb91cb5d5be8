// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/circuit/result.h"
#include "engine/circuit/stage.h"
#include "engine/statistics/progress.h"
#include "engine/statistics/stage_figures.h"

namespace classe::statistics {

// The one input a sweep changes on the stage as built.
enum class SweepVariable {
  LoadFactor,  // the load (RL behind the network, else R) times x
  Reactance,   // a series reactance x·load on the load: + an inductance, − a capacitance
  Vcc,         // V
  Frequency,   // Hz; the parts stay, the drive follows
};

inline constexpr int kMaxSweepPoints = 100'000;

struct SweepSettings {
  SweepVariable variable = SweepVariable::LoadFactor;
  double from = 0.5;
  double to = 2;
  int points = 31;  // evenly spaced from `from` to `to`, both included
  int threads = 0;  // 0: every core
};

struct SweepPoint {
  double x = 0;
  std::optional<StageFigures> figures;  // none: no steady state there
  bool done = false;                    // false: the run stopped before it
};

struct SweepResult {
  std::vector<SweepPoint> points;
  double designX = 0;  // the input's value in the design itself
  bool partial = false;
};

// The reason, in Italian, the sweep cannot be run on this stage; none when
// it can.
std::optional<std::string> CheckSweep(const circuit::Stage& stage, const SweepSettings& sweep);

// x of point k, exactly `from` and `to` at the ends.
double SweepX(const SweepSettings& sweep, int k);

// The stage with the input set to x (no check of the result).
circuit::Stage SweptStage(const circuit::Stage& stage, SweepVariable variable, double x);

// The input's value in the stage itself: 1, 0, its Vcc, its frequency.
double DesignValue(const circuit::Stage& stage, SweepVariable variable);

circuit::Result<SweepResult> RunSweep(const circuit::Stage& stage, const SweepSettings& sweep,
                                      Progress* progress = nullptr);

}  // namespace classe::statistics
