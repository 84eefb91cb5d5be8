// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "actions/action.h"
#include "actions/controls.h"
#include "actions/real_circuit_action.h"
#include "engine/parts/purchase.h"
#include "engine/parts/sensitivity.h"

namespace classe {

// The parts bought for the exact design, retuned, with the sensitivities the
// bench guide is read from.
struct PartsRun {
  circuit::Stage design;  // the exact design's stage
  double Po = 0;          // W, what it delivers
  parts::PartChoice choice;
  parts::Purchase purchase;
  std::vector<parts::Sensitivity> sensitivity;
  int adjustable = -1;  // index into sensitivity of the part to make adjustable
};

// The series, the pairs and the margin as the parts window's controls hold
// them; a message and nothing when one is refused.
std::optional<parts::PartChoice> ReadPartChoice(Controls& ui, Outcome& outcome);

// The steps of "Calcola", for a window that computes off its thread: the
// fields of the exact design and the choice read and checked, the tables
// emptied (the reason shown when one is refused); the exact design and the
// parts, computed without a control; both shown.
struct PartsJob {
  RealCircuitJob design;
  parts::PartChoice choice;
};
struct PartsJobResult {
  RealCircuitResults designs;
  std::optional<circuit::Result<PartsRun>> parts;  // none without an exact design
};
std::optional<PartsJob> PrepareParts(RealCircuitState& circuit, Controls& ui, Outcome& outcome);
PartsJobResult ComputePartsJob(const PartsJob& job);
// The exact design's column as the real-circuit window shows it, then the
// parts; the run is left in `run`, nothing when a step failed.
Outcome ShowPartsJobResult(RealCircuitState& circuit, PartsJobResult result,
                           std::optional<PartsRun>& run, Controls& ui);
circuit::Result<PartsRun> ComputeParts(const circuit::Stage& design, double Po,
                                       const parts::PartChoice& choice);
Outcome ShowPartsRun(const PartsRun& run, Controls& ui);
// Empties the tables (a new run is under way, or the design changed).
void ClearParts(Controls& ui);

// "Calcola" of the parts window, all of it: the exact design from the main and the
// real-circuit windows' fields, as "Calcola" there gives it, then the parts
// bought in the series chosen, the retune, the ratings and the guide, in
// Form5's tables. The run is left in `run`; nothing when a step failed.
Outcome ShowParts(RealCircuitState& circuit, std::optional<PartsRun>& run, Controls& ui);

// The bench procedure, in Italian, for the part to make adjustable.
std::string BenchGuide(const PartsRun& run);

// The deck of the parts as bought and retuned, for ngspice.
circuit::Result<circuit::SpiceDeck> PartsDeck(const PartsRun& run);

}  // namespace classe
