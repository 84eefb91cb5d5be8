// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "actions/controls.h"
#include "cli/cli_actions.h"

namespace classe::cli {

// classe-e-cli [--json] ACTION [--file FILE] [FIELD=TEXT ...]
struct CommandLine {
  bool json = false;
  bool help = false;
  bool version = false;
  const CliAction* action = nullptr;
  // The field ("Po"…) given, and the text typed into it, in the order given.
  std::vector<std::pair<Control, std::string>> fields;
  std::optional<bool> network;       // rete=si|no: the L-network to RL in the real circuit
  std::optional<bool> exactDesign;   // progetto=esatto|ideale: the design of the netlist
  std::optional<std::string> curve;  // curva=FILE: the transistor's Coss curve, CSV
  // The parts bought: serieC=, serieL= (a series' name, checked here),
  // coppie=si|no, and distinta=FILE for the bill of materials.
  std::optional<std::string> seriesC;
  std::optional<std::string> seriesL;
  std::optional<bool> pairs;
  std::optional<std::string> bom;
  // Any of the parts' fields (margine= included) was given: "spice" then
  // writes the parts as bought and retuned.
  bool partsGiven = false;
  std::optional<std::string> file;    // --file FILE: the design file the fields start from
  std::optional<std::string> saveTo;  // salva=FILE: the design file to write
  std::optional<std::string> pdf;     // pdf=FILE: where "rapporto" writes the report
  // The analyses' choices (distribuzione=, variabile=) as the option to
  // select, ritaratura= as its check box, thread= and csv= as typed.
  std::vector<Control> options;
  std::vector<std::pair<Control, bool>> checks;
  std::optional<std::string> threads;
  std::optional<std::string> csv;
};

// Exit statuses.
inline constexpr int kExitDone = 0;
inline constexpr int kExitFault = 1;     // arithmetic fault or refused input
inline constexpr int kExitRejected = 2;  // a field failed its check
inline constexpr int kExitUsage = 64;
inline constexpr int kExitUnavailable = 69;  // a tool this one needs is missing
inline constexpr int kExitDataFile = 65;     // a file read is damaged or refused
inline constexpr int kExitCantWrite = 73;    // a file to write cannot be written

// Nothing, with `error` set, when the words are not a valid call.
std::optional<CommandLine> ParseCommandLine(const std::vector<std::string>& args,
                                            std::string& error);

std::string UsageText();

}  // namespace classe::cli
