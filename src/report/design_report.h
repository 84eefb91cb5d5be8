// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <optional>
#include <string>

#include "actions/action.h"
#include "cli/cli_actions.h"
#include "engine/document/design_document.h"
#include "engine/statistics/progress.h"

class QPagedPaintDevice;
class QPrinter;

namespace classe {

// A report computed from a document: the session's design, and the sections
// the document asks for beyond it (the parts once the parts window has been
// used, the yield once a tolerance run went through), each with the reason
// in its place when it could not be made.
struct ComputedReport {
  cli::Session session;  // its parts, toleranceSettings and tolerances too
  std::optional<std::string> partsFault;
  std::optional<std::string> tolerancesFault;
};

// The session's design computed from the document's inputs, as the buttons
// would: the ideal design, its network, peaks and final circuit, and both
// designs in the real circuit; then the parts as the parts window buys them
// and the tolerance run again, the same builds for the same seed, when the
// document asks for them. The session's messages say why it stopped.
// `progress` counts the builds of the tolerance run, and stops it: the report
// is then not drawn. It touches no widget, so that it may run off the GUI
// thread.
Outcome ComputeReport(const document::DesignDocument& doc, ComputedReport& report,
                      statistics::Progress* progress = nullptr);

// Why a report that was not computed has nothing to draw, in the program's
// words.
std::string ReportRefusal(const ComputedReport& report);

// The report of a computed session, in Italian: on the first A4 page the
// inputs, the ideal and the exact design side by side, the real circuit's
// figures, the schematic with its values and the chosen design's waveforms,
// the version and the date; on a second, when the document asks for them,
// the parts as bought and the yield. Text and paths only, never a picture.
void DrawReport(const document::DesignDocument& doc, const ComputedReport& report,
                QPagedPaintDevice& device);

// Draws a computed report into a PDF file, written whole or not at all; the
// reason when nothing was written.
std::optional<std::string> WriteReportPdf(const document::DesignDocument& doc,
                                          const ComputedReport& report, const QString& path);

// Computes and draws into a PDF file; the reason (the check's message, or
// the failed write) when nothing was written.
std::optional<std::string> WriteReportPdf(const document::DesignDocument& doc, const QString& path);

// The same to a printer the user has chosen.
std::optional<std::string> PrintReport(const document::DesignDocument& doc, QPrinter& printer);

}  // namespace classe
