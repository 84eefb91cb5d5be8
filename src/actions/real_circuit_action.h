// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "actions/action.h"
#include "actions/controls.h"
#include "engine/circuit/exact_design.h"
#include "engine/circuit/load_harmonics.h"
#include "engine/circuit/ngspice_output.h"
#include "engine/circuit/ratings.h"
#include "engine/circuit/spice_deck.h"
#include "engine/circuit/steady_state.h"
#include "engine/circuit/waveforms.h"
#include "engine/design/design_state.h"
#include "engine/transistor/coss_curve.h"

namespace classe {

// One design as the real circuit runs it.
struct RealCircuitRun {
  circuit::Stage stage;
  circuit::SteadyState steady;
  circuit::Ratings ratings;
  circuit::LoadSpectrum spectrum;
  circuit::Waveforms curves;  // two periods, for the plot and its read-out
  int iterations = 0;         // Newton steps of the exact design; 0 for the ideal one
};

// What the real-circuit window holds between its runs: each design, or
// nothing where the last run had none to show.
struct RealCircuitState {
  std::optional<RealCircuitRun> ideal;
  std::optional<RealCircuitRun> exact;
  // The datasheet's Coss curve loaded ("Carica curva Coss…", curva=FILE): it
  // replaces the junction law while it is loaded.
  std::optional<transistor::CossCurve> curve;
  std::string curveName;
  // Where a design would exist, when the transistor left no room for one.
  circuit::DesignLimits limits;
};

// Reads a Coss curve file's text into the state; the reason, naming the
// line, when it is refused (and then nothing changes).
std::optional<std::string> LoadCossCurve(RealCircuitState& state, std::string_view text,
                                         std::string name);

// A datasheet's Coss curve is tens of lines: a file past this size is no
// curve and is refused before it is read.
inline constexpr long long kMaxCurveFileBytes = 1 << 20;

// The warning shown when the drain peak exceeds this fraction of V(BR)DSS.
inline constexpr double kBreakdownWarning = 0.8;

// Which of the two designs a run computes.
enum class Designs { Ideal, Exact, Both };

// "Calcola" of the real-circuit window: the main window's Text1…Text7
// through the same checks and messages as its buttons, then Ron, Coss and QU,
// then M, the curves' intervals over two periods, judged as the graph window
// judges it (against memory, before anything changes);
// the ideal design from them, then each design in the real circuit (the
// L-network to RL in the loop when the check box says so), its values in its
// column, and the curves. A design the engine cannot give leaves its column
// empty and says why; the other column is still shown.
Outcome ShowRealCircuit(RealCircuitState& state, Controls& ui, Designs which = Designs::Both);

// The same in three steps, for a window that computes off its thread: the
// checks and reads, on the thread of the controls; the designs, on any
// thread (the job is a copy and touches no control); what they give, shown
// on the controls' thread again.
struct RealCircuitJob {
  circuit::IdealDesign ideal;
  circuit::StageOptions options;
  long long M = 0;  // the curves' intervals over two periods
  Designs which = Designs::Both;
};
struct RealCircuitResults {
  // Each design asked for, or the engine's reason why not.
  std::optional<circuit::Result<RealCircuitRun>> ideal;
  std::optional<circuit::Result<RealCircuitRun>> exact;
  bool outOfMemory = false;  // the curves' arrays could not be had after all
};
// The job, or how the run ended when a check refused it (its message shown).
std::variant<RealCircuitJob, Outcome> PrepareRealCircuit(RealCircuitState& state, Controls& ui,
                                                         Designs which = Designs::Both);
RealCircuitResults ComputeRealCircuit(const RealCircuitJob& job);
Outcome ShowRealCircuitResults(RealCircuitState& state, Controls& ui, RealCircuitResults results);

// A transistor's designs integrate its nonlinear drain: tens of
// milliseconds, and up to a second when no design exists. The linear
// stage's take a fraction of a millisecond.
bool HoldsTransistor(const RealCircuitJob& job);

// The check box's state when the window opens: on when R and RL differ by
// more than the band in which no network is needed. Reads the fields without
// a message; false when they do not give a design.
bool NetworkWanted(Controls& ui);

// The design chosen for the netlist and the check with ngspice.
bool ExactDesignChosen(Controls& ui);

// The deck of the exact design or the ideal one; nothing, with the reason,
// when that design has no numbers or the deck cannot be written.
circuit::Result<circuit::SpiceDeck> DeckOf(const RealCircuitState& state, bool exact);

// The same for the design chosen in the window.
circuit::Result<circuit::SpiceDeck> ChosenDeck(const RealCircuitState& state, Controls& ui);

// ngspice's power, efficiency and turn-on voltage for a design, beside the
// program's own, with the differences: of the power relative to the
// program's, of the two others in percentage points.
void ShowNgspiceFigures(const RealCircuitState& state, Controls& ui, bool exact,
                        const circuit::NgspiceMeasures& measures);

// Empties the ngspice column and its differences (a new run is under way, or
// the designs changed since).
void ClearNgspiceFigures(Controls& ui);

}  // namespace classe
