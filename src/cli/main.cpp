// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// classe-e-cli: the class-E calculator without windows, for scripts and sweeps.

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "actions/document_controls.h"
#include "cli/cli_actions.h"
#include "cli/command_line.h"
#include "cli/design_file.h"

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

// "rapporto" needs Qt to draw, which this tool is kept free of: the report
// tool beside it takes the same command line and does everything else alike.
int RunReportTool(char** argv) {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  const auto tool =
      (error ? std::filesystem::path(argv[0]) : self).parent_path() / "classe-e-report";
  ::execv(tool.c_str(), argv);
  std::cerr << "classe-e-cli: il rapporto PDF vuole " << tool.string()
            << ", che non si può avviare (" << std::strerror(errno) << ").\n";
  return kExitUnavailable;
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

  if (line->action->name == "rapporto") return RunReportTool(argv);

  document::DesignDocument doc;
  std::string warning;
  Session session;
  auto refused = BuildDocument(*line, doc, warning);
  if (!warning.empty()) std::cerr << "classe-e-cli: " << warning << '\n';
  if (!refused) refused = ShowInSession(doc, session);
  // A tolerance run's file says whether the run went through, which only the
  // run can tell.
  const bool saveAfterRun = line->action->name == "tolleranze";
  if (!refused && line->saveTo && !saveAfterRun) refused = SaveDocument(*line->saveTo, doc);
  if (refused) {
    std::cerr << "classe-e-cli: " << refused->message << '\n';
    return refused->status;
  }
  RecordingControls& ui = session.ui;
  session.bomPath = line->bom;  // an output, not an input: no design file holds it
  session.threads = line->threads;
  session.csv = line->csv;
  const Outcome outcome = line->action->run(session);
  if (line->saveTo && saveAfterRun) {
    MarkToleranceRun(doc, outcome == Outcome::Done);
    if (const auto failed = SaveDocument(*line->saveTo, doc)) {
      std::cerr << "classe-e-cli: " << failed->message << '\n';
      return failed->status;
    }
  }

  // A rejected field's message and any fault go to the error stream.
  for (const auto& message : ui.messages()) {
    if (message.fault || outcome == Outcome::Rejected) std::cerr << message.text << '\n';
  }
  const RunReport report{line->action->name, outcome, session};
  (line->json ? line->action->printJson : line->action->print)(std::cout, report);
  return ExitStatus(outcome);
}
