// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>

#include "actions/action.h"
#include "actions/controls.h"
#include "actions/real_circuit_action.h"
#include "engine/parts/purchase.h"
#include "engine/statistics/monte_carlo.h"
#include "engine/statistics/sweep.h"

namespace classe {

// What a tolerance run needs, read on the window's thread; the run itself
// may go to another.
struct ToleranceJob {
  circuit::Stage nominal;  // the exact design
  double Po = 0;           // W, what it delivers
  statistics::ToleranceSettings settings;
  // Given: the builds are of the parts bought in these series and retuned
  // at the bench once, as the parts window has them, not of the exact
  // design's continuous values.
  std::optional<parts::PartChoice> bought;
};

struct SweepJob {
  circuit::Stage nominal;
  statistics::SweepSettings sweep;
};

// The tolerance window's fields (then the real-circuit window's, through
// the exact design they give, which is the nominal stage): a field that
// fails its check shows its message and leaves Rejected; nothing is run.
// `threads` 0: every core. With `bought`, the parts window's choice is read
// too: the builds are of the parts bought.
Outcome PrepareTolerances(RealCircuitState& state, Controls& ui, int threads, bool bought,
                          std::optional<ToleranceJob>& job);

// The run, which touches no control: the parts bought first when the job
// asks for them.
circuit::Result<statistics::MonteCarloResult> RunToleranceJob(const ToleranceJob& job,
                                                              statistics::Progress* progress);

// The same for the sweep window; its range is refused, with its message, when
// it leaves the input's domain.
Outcome PrepareSweep(RealCircuitState& state, Controls& ui, int threads,
                     std::optional<SweepJob>& job);

// The summary the window shows and the command line prints.
std::string ToleranceSummaryText(const statistics::MonteCarloResult& result,
                                 const statistics::ToleranceSettings& settings);

// Shows `text` as the message of a refused field and gives Rejected.
Outcome RejectField(Controls& ui, const std::string& text);

}  // namespace classe
