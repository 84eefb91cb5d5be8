// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <ostream>
#include <string>

#include "actions/controls.h"
#include "cli/cli_actions.h"

namespace classe::cli {

// "Form1.Label29": a control's key in the JSON, window first, as the windows
// reuse names.
std::string JsonKey(Control control);

// One line per value box the action wrote: symbol, text and unit as the
// window shows them, tab-separated; the messages that are not faults first.
// Nothing after a rejected field.
void PrintValues(std::ostream& out, const RunReport& report);

// The samples as CSV, when the action ran to its end.
void PrintSamples(std::ostream& out, const RunReport& report);

// The netlist, when the action ran to its end.
void PrintDeck(std::ostream& out, const RunReport& report);

// {"action", "messages", "fault", "labels", "visible", "state"}.
void PrintJsonReport(std::ostream& out, const RunReport& report);

// {"action", "messages", "fault", "design", "circuit"} and, for the exact
// design, "iterations": SI units throughout (Ω, H, F, W, V, A, V/rad, dBc).
void PrintJsonRealCircuit(std::ostream& out, const RunReport& report);

// {"action", "messages", "fault", "deck", "periods", "capped"}.
void PrintJsonDeck(std::ostream& out, const RunReport& report);

// The parts window's tables as it shows them, tab-separated, a heading row
// each, then the note on the knobs and the bench guide.
void PrintParts(std::ostream& out, const RunReport& report);

// {"action", "messages", "fault", "parts", "retune", "sensitivity"}, SI units.
void PrintJsonParts(std::ostream& out, const RunReport& report);

}  // namespace classe::cli
