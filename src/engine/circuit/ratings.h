// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>

#include "engine/circuit/result.h"
#include "engine/circuit/stage.h"

namespace classe::circuit {

// Peak magnitudes over the steady-state period: what a part is bought by.
struct ComponentRating {
  double current = 0;  // A, largest |i|
  double voltage = 0;  // V, largest |v| across the part (inductors: with their loss resistance)
  // RMS over the period: a capacitor's RF rating and an inductor's heating
  // are read against these, not against the peaks.
  double rmsCurrent = 0;  // A
  double rmsVoltage = 0;  // V
};

// When the switch closes, C1 empties through Ron with time constant Ron·C1;
// the spike, (vD(π) − Von)/Ron, is no rating an engineer buys a transistor by
// (the real Ron and the layout shape it), so it is given on its own and the
// switch and C1 currents are rated once it has settled: over the closed half
// from teta = π + 20·ω·Ron·C1 (e^−20 of the spike left). With the ideal switch
// (Ron = 0) the spike is an impulse of charge C1·(vD(π) − Von) and the
// ratings start at π. An Ron so large that 20·Ron·C1 exceeds half a period
// never lets the discharge settle: the window is then the closed half's last
// 1/128. Every other part is rated over the whole period.
struct Ratings {
  ComponentRating L1, C1, C2, L2, load;
  ComponentRating networkL, networkC;  // zero without a network
  // current: the settled peak described above; voltage: the drain peak.
  ComponentRating sw;
  double settleAngle = 0;  // rad after turn-on left out of the switch and C1 currents
  // A, (vD(π) − Von)/Ron as the switch closes; none with the ideal switch.
  std::optional<double> dischargeCurrent;
  double dischargeEnergy = 0;  // J a period, ½·C1·(vD(π) − Von)², lost in the switch at turn-on
  double C1ToBuy = 0;          // F, C1 − Coss
};

Result<Ratings> ComputeRatings(const Stage& stage);

// Ratings::sw.current alone, without the other parts' peaks: what a sweep or
// a run of many builds reads.
Result<double> SwitchCurrentPeak(const Stage& stage);

}  // namespace classe::circuit
