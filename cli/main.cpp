// classe-e-cli: the class-E calculator without windows, for scripts and sweeps.

#include <iostream>
#include <string>
#include <vector>

#include "cli/actions.h"
#include "cli/command_line.h"
#include "cli/report.h"
#include "actions/input_fields.h"

using namespace classe;
using namespace classe::cli;

namespace {

std::string_view ControlOf(std::string_view quantity) {
  for (const InputField& field : InputFields()) {
    if (field.quantity == quantity) return field.control;
  }
  return {};
}

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

  RecordingControls ui;
  DesignState state;
  for (const auto& [quantity, text] : line->fields)
    ui.setText(ControlOf(quantity), text);
  const Outcome outcome = RunAction(line->action, state, ui);

  // A rejected field's message and any fault go to the error stream.
  for (const auto& message : ui.messages()) {
    if (message.fault || outcome == Outcome::Rejected) std::cerr << message.text << '\n';
  }
  if (line->json) {
    PrintJson(std::cout, line->action, ui, state);
  } else if (line->action == "campioni") {
    if (outcome == Outcome::Done) PrintSamplesCsv(std::cout, state);
  } else if (outcome != Outcome::Rejected) {
    PrintPlain(std::cout, ui);
  }
  return ExitStatus(outcome);
}
