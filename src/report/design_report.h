// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <optional>
#include <string>

#include "actions/action.h"
#include "cli/cli_actions.h"
#include "engine/document/design_document.h"

class QPagedPaintDevice;
class QPrinter;

namespace classe {

// The session's design computed from the document's inputs, as the buttons
// would: the ideal design, its network, peaks and final circuit, and both
// designs in the real circuit. The session's messages say why it stopped.
Outcome ComputeReport(const document::DesignDocument& doc, cli::Session& session);

// The report of a computed session on one A4 page, in Italian: the inputs,
// the ideal and the exact design side by side, the real circuit's figures,
// the schematic with its values and the chosen design's waveforms, the
// version and the date. Text and paths only, never a picture.
void DrawReport(const document::DesignDocument& doc, const cli::Session& session,
                QPagedPaintDevice& device);

// Computes and draws into a PDF file, written whole or not at all; the
// reason (the check's message, or the failed write) when nothing was written.
std::optional<std::string> WriteReportPdf(const document::DesignDocument& doc, const QString& path);

// The same to a printer the user has chosen.
std::optional<std::string> PrintReport(const document::DesignDocument& doc, QPrinter& printer);

}  // namespace classe
