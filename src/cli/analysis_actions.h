// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <ostream>

#include "cli/cli_actions.h"

namespace classe::cli {

// tolleranze: the Monte Carlo run of the exact design, and csv=FILE.
Outcome RunTolerances(Session& session);
// scansione: one input of the exact design swept.
Outcome RunSweepAction(Session& session);

// The summary, as the tolerance window shows it.
void PrintToleranceSummary(std::ostream& out, const RunReport& report);
// {"action", "messages", "fault", "builds", "failed", "partial", "nominal",
// "percentiles", "yield"}: SI units, efficiency and von_fraction as fractions.
void PrintJsonTolerances(std::ostream& out, const RunReport& report);
// The points as CSV, x,Po,efficiency,Vpeak,Iswitch_peak,von_fraction.
void PrintSweepCsv(std::ostream& out, const RunReport& report);
// {"action", "messages", "fault", "variable", "design_x", "partial", "points"}.
void PrintJsonSweep(std::ostream& out, const RunReport& report);

}  // namespace classe::cli
