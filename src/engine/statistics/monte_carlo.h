// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/circuit/result.h"
#include "engine/circuit/stage.h"
#include "engine/statistics/draws.h"
#include "engine/statistics/percentiles.h"
#include "engine/statistics/progress.h"
#include "engine/statistics/stage_figures.h"

namespace classe::statistics {

// Tolerances by part kind, as fractions (0.05 is ±5 %): each part of a kind
// is drawn on its own within its kind's tolerance.
struct Tolerances {
  double C = 0.05;  // C1's bought capacitor, C2, the network's C
  double L = 0.05;  // L1, L2, the network's L
  double R = 0;     // the load: R, or RL behind the network
  double Coss = 0;  // the transistor's output capacitance, its whole law
  double Ron = 0;   // the switch's on resistance
};

inline constexpr long long kMaxBuilds = 1'000'000;

// The bench retune of one build: the stage with L2 and the load seen set
// again for class E; a failure when it cannot be tuned.
using Retune = std::function<circuit::Result<circuit::Stage>(const circuit::Stage&)>;

struct ToleranceSettings {
  Tolerances tolerances;
  Distribution distribution = Distribution::Uniform;
  long long builds = 2000;
  std::uint64_t seed = 1;
  double poBand = 0.10;         // a build is in band with |Po/Po nominal − 1| ≤ poBand
  double vonBand = 0.05;        // and with |vonFraction| ≤ vonBand
  std::optional<double> BVdss;  // V; given: the drain peak must stay below it
  int threads = 0;              // 0: every core
  Retune retune;                // empty: the builds as built
};

// The values a build was made with, SI units.
struct BuildParts {
  double Cext = 0;  // F, C1 less the transistor's Coss
  double Coss = 0;  // F, at the transistor's Vref
  double C2 = 0;
  double L1 = 0;
  double L2 = 0;
  double networkL = 0;  // 0 without a network
  double networkC = 0;
  double load = 0;  // Ω, R or RL
  double Ron = 0;
};

struct BuildRow {
  BuildParts drawn;
  // After the retune (the drawn values without one): L2 and the load seen.
  double L2Tuned = 0;
  double loadTuned = 0;
  std::optional<StageFigures> figures;  // none: the build has no steady state
  bool poOk = false, vonOk = false, vPeakOk = false, allOk = false;
  bool done = false;  // false: the run was stopped before this build
};

// Fractions of the builds done; a build with no steady state is out of
// every band.
struct Yield {
  double Po = 0;
  double von = 0;
  std::optional<double> vPeak;  // with BVdss only
  double all = 0;
};

struct Summary {
  long long builds = 0;                                    // done
  long long failed = 0;                                    // done with no steady state
  Spread Po, efficiency, vPeak, iSwitchPeak, vonFraction;  // over the solved builds
  Yield yield;
};

struct MonteCarloResult {
  StageFigures nominal;
  std::vector<BuildRow> rows;  // by build index
  Summary summary;
  bool partial = false;  // stopped before every build was done
};

// The reason, in Italian, the settings cannot be run; none when they can.
std::optional<std::string> CheckToleranceSettings(const ToleranceSettings& settings);

// The values of build `index`, drawn in a fixed order whatever the
// tolerances; and the stage built with them.
BuildParts NominalParts(const circuit::Stage& nominal);
circuit::Stage DrawBuild(const circuit::Stage& nominal, const ToleranceSettings& settings,
                         std::uint64_t index, BuildParts& drawn);

// The summary of the rows done, against the nominal figures.
Summary Summarize(const std::vector<BuildRow>& rows);

// Every build of the nominal stage on the threads asked, the same rows for
// the same seed whatever their number. Fails, with no rows, when the
// settings are refused or the nominal stage has no steady state.
circuit::Result<MonteCarloResult> RunMonteCarlo(const circuit::Stage& nominal,
                                                const ToleranceSettings& settings,
                                                Progress* progress = nullptr);

}  // namespace classe::statistics
