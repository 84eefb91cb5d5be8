// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// classe-e-report: "classe-e-cli rapporto" with the same command line, the
// same checks and messages, drawing the report with Qt.

#include <QGuiApplication>
#include <iostream>
#include <vector>

#include "cli/command_line.h"
#include "cli/design_file.h"
#include "report/design_report.h"

using namespace classe;
using namespace classe::cli;

int main(int argc, char** argv) {
  std::string error;
  const auto line = ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!line || !line->pdf) {
    std::cerr << "classe-e-cli: " << (line ? "rapporto vuole pdf=FILE" : error) << "\n\n"
              << UsageText();
    return kExitUsage;
  }
  document::DesignDocument doc;
  std::string warning;
  auto refused = BuildDocument(*line, doc, warning);
  if (!warning.empty()) std::cerr << "classe-e-cli: " << warning << '\n';
  Session session;
  if (!refused) refused = ShowInSession(doc, session);
  if (!refused && line->saveTo) refused = SaveDocument(*line->saveTo, doc);
  if (refused) {
    std::cerr << "classe-e-cli: " << refused->message << '\n';
    return refused->status;
  }
  // Fonts and the PDF need no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  // The checks and messages of the command line: a rejected field or a fault
  // goes to the error stream, and nothing is written.
  ComputedReport computed;
  const Outcome outcome = ComputeReport(doc, computed);
  for (const auto& message : computed.session.ui.messages()) {
    if (message.fault || outcome == Outcome::Rejected) std::cerr << message.text << '\n';
  }
  if (outcome != Outcome::Done) return outcome == Outcome::Rejected ? kExitRejected : kExitFault;
  // A section the file asks for and cannot have is said in its place, and here.
  for (const auto& fault : {computed.partsFault, computed.tolerancesFault})
    if (fault) std::cerr << *fault << '\n';
  if (const auto failed = WriteReportPdf(doc, computed, QString::fromStdString(*line->pdf))) {
    std::cerr << "classe-e-cli: " << *failed << '\n';
    return kExitCantWrite;
  }
  return kExitDone;
}
