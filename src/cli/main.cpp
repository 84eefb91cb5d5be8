// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// classe-e-cli: the class-E calculator without windows, for scripts and sweeps.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "actions/form4_controls.h"
#include "actions/form5_controls.h"
#include "actions/input_fields.h"
#include "actions/real_circuit_action.h"
#include "cli/cli_actions.h"
#include "cli/command_line.h"

using namespace classe;
using namespace classe::cli;

namespace {

int ExitStatus(Outcome outcome) {
  switch (outcome) {
    case Outcome::Done:
      return kExitDone;
    case Outcome::Rejected:
      return kExitRejected;
    case Outcome::Fault:
    case Outcome::Refused:
      return kExitFault;
  }
  return kExitFault;
}

std::optional<std::string> LoadCurveFile(Session& session, const std::string& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return "il file non si può leggere (" + error.message() + ").";
  if (size > static_cast<std::uintmax_t>(kMaxCurveFileBytes))
    return std::string("il file è troppo grande per una curva Coss (più di 1 MB).");
  std::ifstream in(path, std::ios::binary);
  std::string text(static_cast<std::size_t>(size), '\0');
  if (!in.read(text.data(), static_cast<std::streamsize>(size)))
    return std::string("il file non si può leggere.");
  return LoadCossCurve(session.circuit, text, std::filesystem::path(path).filename().string());
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!line) {
    std::cerr << "classe-e-cli: " << error << "\n\n" << UsageText();
    return kExitUsage;
  }
  if (line->help) {
    std::cout << UsageText();
    return kExitDone;
  }
  if (line->version) {
    std::cout << "classe-e-cli " CLASSE_VERSION "\n";
    return kExitDone;
  }

  Session session;
  if (line->curve) {
    if (const auto refused = LoadCurveFile(session, *line->curve)) {
      std::cerr << "classe-e-cli: " << *line->curve << ": " << *refused << '\n';
      return kExitDataFile;
    }
  }
  RecordingControls& ui = session.ui;
  for (const auto& [field, text] : line->fields)
    ui.setText(field, text);
  if (line->network) ui.setChecked(form4::Check1, *line->network);
  if (line->exactDesign) ui.select(*line->exactDesign ? form4::Option1 : form4::Option2);
  if (line->seriesC) ui.setText(kCapacitorSeries.control, *line->seriesC);
  if (line->seriesL) ui.setText(kInductorSeries.control, *line->seriesL);
  if (line->pairs) ui.setChecked(form5::Check1, *line->pairs);
  session.boughtParts = line->partsGiven;
  session.bomPath = line->bom;
  for (const Control option : line->options)
    ui.select(option);
  for (const auto& [box, checked] : line->checks)
    ui.setChecked(box, checked);
  session.threads = line->threads;
  session.csv = line->csv;
  const Outcome outcome = line->action->run(session);

  // A rejected field's message and any fault go to the error stream.
  for (const auto& message : ui.messages()) {
    if (message.fault || outcome == Outcome::Rejected) std::cerr << message.text << '\n';
  }
  const RunReport report{line->action->name, outcome, session};
  (line->json ? line->action->printJson : line->action->print)(std::cout, report);
  return ExitStatus(outcome);
}
