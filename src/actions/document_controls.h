// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "actions/controls.h"
#include "actions/input_fields.h"
#include "actions/real_circuit_action.h"
#include "engine/document/design_document.h"

namespace classe {

// The parts section's keys that are no field: the pairs' check box, and
// whether the parts window has been used.
inline constexpr std::string_view kPairsKey = "coppie";
inline constexpr std::string_view kPartsUsedKey = "acquisto";

// The tolerance section's key that is no field: a run has gone through
// every build with the section's settings.
inline constexpr std::string_view kToleranceRunKey = "eseguita";

// The series lists and the pairs' check box as the document has them.
void ShowPartsChoices(const document::DesignDocument& doc, Controls& ui);
// "acquisto" is "si".
bool PartsUsed(const document::DesignDocument& doc);

// A tolerance run went through every build (it was not stopped): the
// report reruns it, the same builds for the same seed, and shows its yield.
// `done` false takes the mark back (a run stopped or refused).
void MarkToleranceRun(document::DesignDocument& doc, bool done = true);
// "eseguita" is "si".
bool ToleranceRunDone(const document::DesignDocument& doc);

// The tolerance and sweep settings the command line gives, into their
// section: a field's text (false when the control is none of theirs), the
// option selected, the check box.
bool SetAnalysisSetting(document::DesignDocument& doc, Control control, std::string_view text);
void SetAnalysisOption(document::DesignDocument& doc, Control option);
void SetAnalysisSwitch(document::DesignDocument& doc, Control box, bool on);
// The analyses' settings into their controls; the reason when a choice names
// none of its options.
std::optional<std::string> ShowAnalysisSettings(const document::DesignDocument& doc, Controls& ui);

// Every input at the windows' defaults: what "Nuovo" shows.
document::DesignDocument DefaultDocument();

// The document's text of one field, its default where the document has none.
std::string DocumentText(const document::DesignDocument& doc, const InputField& field);
// Sets the text of one field in the section its window keeps.
void SetDocumentText(document::DesignDocument& doc, const InputField& field, std::string text);

// A loaded Coss curve's points, in V and pF, as a file keeps them.
std::vector<document::CurvePoint> CurvePoints(const transistor::CossCurve& curve);

// The inputs the windows hold now: the fields' texts, the real circuit's
// choices and curve. The network stays the window's choice (none) where
// `base` leaves it so and the check box is as the window would set it. The sections no window of
// this program shows yet are those of `base`.
document::DesignDocument DocumentFromControls(Controls& ui, const RealCircuitState& circuit,
                                              const document::DesignDocument& base);

// Puts the document's inputs into the fields and choices, and its curve into
// the real circuit's state; computes nothing. The network's check box is left
// alone where the document leaves the choice to the window. When the curve is
// refused, the reason, and nothing has changed.
std::optional<std::string> ShowDocument(const document::DesignDocument& doc, Controls& ui,
                                        RealCircuitState& circuit);

}  // namespace classe
