// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/document_controls.h"

#include <charconv>
#include <span>

#include "actions/analysis_fields.h"
#include "actions/form4_controls.h"
#include "actions/form5_controls.h"

namespace classe {
namespace {

using document::DesignDocument;

document::Texts& SectionOf(DesignDocument& doc, const InputField& field) {
  if (field.control.window == Window::Form5) return doc.parts;
  return field.control.window == Window::Form4 ? doc.realCircuit.texts : doc.main;
}

const document::Texts& SectionOf(const DesignDocument& doc, const InputField& field) {
  if (field.control.window == Window::Form5) return doc.parts;
  return field.control.window == Window::Form4 ? doc.realCircuit.texts : doc.main;
}

constexpr std::span<const InputField> kDocumentTables[] = {kInputFields, kRealCircuitFields,
                                                           kPartsFields};

std::string PartsText(const DesignDocument& doc, std::string_view key) {
  const auto it = doc.parts.find(key);
  if (it != doc.parts.end()) return it->second;
  for (const document::DocumentText& t : document::kPartsTexts)
    if (t.key == key) return std::string(t.defaultText);
  return {};
}

void AppendNumber(std::string& out, double x) {
  char buffer[32];
  // The shortest text that reads back as the same double.
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, x).ptr;
  out.append(buffer, end);
}

// The points as the curve reader takes them, "Vds,Coss" lines.
std::string CurveCsv(const std::vector<document::CurvePoint>& points) {
  std::string csv;
  for (const document::CurvePoint& point : points) {
    AppendNumber(csv, point.vds);
    csv += ',';
    AppendNumber(csv, point.cossPf);
    csv += '\n';
  }
  return csv;
}

// The tolerance window's settings live in "tolerances", the sweep's in "sweep".
document::Texts& AnalysisSection(DesignDocument& doc, Window window) {
  return window == Window::Form6 ? doc.tolerances : doc.sweep;
}

std::string AnalysisText(const DesignDocument& doc, Window window, std::string_view key,
                         std::string_view defaultText) {
  const document::Texts& texts = window == Window::Form6 ? doc.tolerances : doc.sweep;
  const auto it = texts.find(key);
  return it == texts.end() ? std::string(defaultText) : it->second;
}

constexpr std::span<const AnalysisField> kAnalysisTables[] = {kToleranceFields, kSweepFields};
constexpr std::span<const OptionField> kOptionTables[] = {kToleranceChoices, kSweepChoices};

}  // namespace

bool SetAnalysisSetting(DesignDocument& doc, Control control, std::string_view text) {
  for (std::span<const AnalysisField> table : kAnalysisTables)
    for (const AnalysisField& field : table)
      if (field.control == control) {
        AnalysisSection(doc, control.window)[std::string(field.name)] = std::string(text);
        return true;
      }
  return false;
}

void SetAnalysisOption(DesignDocument& doc, Control option) {
  for (std::span<const OptionField> table : kOptionTables)
    for (const OptionField& choice : table)
      for (std::size_t k = 0; k < choice.options.size() && !choice.values[k].empty(); ++k)
        if (choice.options[k] == option)
          AnalysisSection(doc, option.window)[std::string(choice.name)] =
              std::string(choice.values[k]);
}

void SetAnalysisSwitch(DesignDocument& doc, Control box, bool on) {
  const SwitchField& retune = analysis::ritaratura;
  if (box == retune.box)
    doc.tolerances[std::string(retune.name)] = std::string(on ? retune.on : retune.off);
}

std::optional<std::string> ShowAnalysisSettings(const DesignDocument& doc, Controls& ui) {
  for (std::span<const AnalysisField> table : kAnalysisTables)
    for (const AnalysisField& field : table)
      ui.setText(field.control,
                 AnalysisText(doc, field.control.window, field.name, field.defaultText));
  for (std::span<const OptionField> table : kOptionTables)
    for (const OptionField& choice : table) {
      const std::string text =
          AnalysisText(doc, choice.options[0].window, choice.name, choice.defaultText());
      if (!SelectOption(ui, choice, text))
        return "valore non valido per " + std::string(choice.name) + ": " + text;
    }
  const SwitchField& retune = analysis::ritaratura;
  const std::string on = AnalysisText(doc, Window::Form6, retune.name, retune.defaultText());
  if (on != retune.on && on != retune.off)
    return "valore non valido per " + std::string(retune.name) + ": " + on;
  ui.setChecked(retune.box, on == retune.on);
  return std::nullopt;
}

void ShowPartsChoices(const DesignDocument& doc, Controls& ui) {
  for (const ChoiceField& choice : kChoiceFields)
    ui.setText(choice.control, PartsText(doc, choice.symbol));
  ui.setChecked(form5::Check1, PartsText(doc, kPairsKey) == "si");
}

bool PartsUsed(const DesignDocument& doc) {
  return PartsText(doc, kPartsUsedKey) == "si";
}

// The key the file's tolerance section lists, so that its default is written.
static_assert(document::kToleranceTexts.back().key == kToleranceRunKey);

void MarkToleranceRun(DesignDocument& doc, bool done) {
  doc.tolerances[std::string(kToleranceRunKey)] = done ? "si" : "no";
}

bool ToleranceRunDone(const DesignDocument& doc) {
  const auto it = doc.tolerances.find(kToleranceRunKey);
  return it != doc.tolerances.end() && it->second == "si";
}

DesignDocument DefaultDocument() {
  DesignDocument doc;
  for (std::span<const InputField> table : kDocumentTables) {
    for (const InputField& field : table)
      SetDocumentText(doc, field, std::string(field.defaultText));
  }
  for (const document::TextSection& section : document::kTextSections)
    doc.*section.member = document::DefaultTexts(section.texts);
  return doc;
}

std::string DocumentText(const DesignDocument& doc, const InputField& field) {
  const document::Texts& texts = SectionOf(doc, field);
  const auto it = texts.find(field.symbol);
  return it == texts.end() ? std::string(field.defaultText) : it->second;
}

void SetDocumentText(DesignDocument& doc, const InputField& field, std::string text) {
  SectionOf(doc, field)[std::string(field.symbol)] = std::move(text);
}

std::vector<document::CurvePoint> CurvePoints(const transistor::CossCurve& curve) {
  std::vector<document::CurvePoint> points;
  for (std::size_t i = 0; i < curve.voltages().size(); ++i)
    points.push_back({curve.voltages()[i], curve.capacitances()[i] * 1e12});
  return points;
}

DesignDocument DocumentFromControls(Controls& ui, const RealCircuitState& circuit,
                                    const DesignDocument& base) {
  DesignDocument doc = base;
  for (std::span<const InputField> table : kDocumentTables) {
    for (const InputField& field : table)
      SetDocumentText(doc, field, ui.text(field.control));
  }
  // The check box as the window set it leaves the choice to the window.
  const bool network = ui.isChecked(form4::Check1);
  if (base.realCircuit.network || network != NetworkWanted(ui)) doc.realCircuit.network = network;
  doc.realCircuit.exactDesign = ExactDesignChosen(ui);
  for (const ChoiceField& choice : kChoiceFields)
    doc.parts[std::string(choice.symbol)] = ui.text(choice.control);
  doc.parts[std::string(kPairsKey)] = ui.isChecked(form5::Check1) ? "si" : "no";
  doc.realCircuit.curveName = circuit.curve ? circuit.curveName : std::string();
  doc.realCircuit.curve =
      circuit.curve ? CurvePoints(*circuit.curve) : std::vector<document::CurvePoint>();
  return doc;
}

std::optional<std::string> ShowDocument(const DesignDocument& doc, Controls& ui,
                                        RealCircuitState& circuit) {
  // The curve is read first: a file whose curve is refused changes nothing.
  RealCircuitState loaded;
  if (!doc.realCircuit.curveName.empty()) {
    if (const auto refused =
            LoadCossCurve(loaded, CurveCsv(doc.realCircuit.curve), doc.realCircuit.curveName))
      return "la curva Coss " + doc.realCircuit.curveName + " non è valida: " + *refused;
  }
  for (std::span<const InputField> table : kDocumentTables) {
    for (const InputField& field : table)
      ui.setText(field.control, DocumentText(doc, field));
  }
  if (doc.realCircuit.network) ui.setChecked(form4::Check1, *doc.realCircuit.network);
  ui.select(doc.realCircuit.exactDesign ? form4::Option1 : form4::Option2);
  ShowPartsChoices(doc, ui);
  if (auto refused = ShowAnalysisSettings(doc, ui)) return refused;
  circuit.curve = std::move(loaded.curve);
  circuit.curveName = std::move(loaded.curveName);
  return std::nullopt;
}

}  // namespace classe
