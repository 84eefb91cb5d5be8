// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string_view>

#include "actions/action.h"
#include "actions/parts_action.h"
#include "actions/real_circuit_action.h"
#include "actions/recording_controls.h"
#include "engine/design/design_state.h"
#include "engine/statistics/monte_carlo.h"
#include "engine/statistics/sweep.h"

namespace classe::cli {

// What one run of classe-e-cli works on: the design state, the windows'
// controls as texts and records, and the real circuit's designs.
struct Session {
  DesignState state;
  RecordingControls ui;
  RealCircuitState circuit;
  std::optional<circuit::SpiceDeck> deck;  // the netlist "spice" wrote
  std::optional<PartsRun> parts;           // what "parti" bought and retuned
  // A field of the parts was given: "spice" writes the parts as bought.
  bool boughtParts = false;
  std::optional<std::string> bomPath;  // distinta=FILE
  // tolleranze and scansione: the runs, their settings, where the builds go.
  std::optional<std::string> threads;  // thread=N as typed; none: every core
  std::optional<std::string> csv;      // csv=FILE
  std::optional<statistics::ToleranceSettings> toleranceSettings;
  std::optional<statistics::MonteCarloResult> tolerances;
  std::optional<statistics::SweepResult> sweep;
  std::vector<std::string> sweepFailures;  // why points have no steady state
};

// How one run of an action ended, for its printers.
struct RunReport {
  std::string_view action;
  Outcome outcome;
  const Session& session;
};

// One action of classe-e-cli: its name, its line in the usage text, how it
// runs, and what it prints on standard output (the messages of a rejected
// field and the faults go to the error stream).
struct CliAction {
  std::string_view name;
  std::string_view help;
  Outcome (*run)(Session& session);
  void (*print)(std::ostream& out, const RunReport& report);
  void (*printJson)(std::ostream& out, const RunReport& report);
};

// In the order the usage text lists them.
std::span<const CliAction> CliActions();

// The action of that name, or nothing.
const CliAction* FindCliAction(std::string_view name);

}  // namespace classe::cli
