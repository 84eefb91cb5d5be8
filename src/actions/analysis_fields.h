// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <span>
#include <string_view>

#include "actions/controls.h"
#include "actions/form6_controls.h"
#include "actions/form7_controls.h"

namespace classe {

// A text field of the tolerance or sweep window: its name on the command
// line (and in a design file) and its text at start.
struct AnalysisField {
  Control control;
  std::string_view name;
  std::string_view defaultText;
  std::string_view what;  // what the field holds, as its messages name it
};

// A choice among option buttons of one group: the texts that name them, in
// the order of the buttons; the first is the default.
struct OptionField {
  std::string_view name;
  std::array<std::string_view, 4> values;  // empty past the last
  std::array<Control, 4> options;
  std::string_view defaultText() const { return values[0]; }
};

// A check box named on the command line by two texts, the first (off) the
// default.
struct SwitchField {
  std::string_view name;
  std::string_view off;
  std::string_view on;
  Control box;
  std::string_view defaultText() const { return off; }
};

namespace analysis {
// clang-format off
inline constexpr AnalysisField tolC{form6::Text1, "tolC", "5", "la tolleranza dei condensatori [%]"};
inline constexpr AnalysisField tolL{form6::Text2, "tolL", "5", "la tolleranza delle induttanze [%]"};
inline constexpr AnalysisField tolR{form6::Text3, "tolR", "0", "la tolleranza del carico [%]"};
inline constexpr AnalysisField tolCoss{form6::Text4, "tolCoss", "0", "la tolleranza di Coss [%]"};
inline constexpr AnalysisField tolRon{form6::Text5, "tolRon", "0", "la tolleranza di Ron [%]"};
inline constexpr AnalysisField prove{form6::Text6, "prove", "2000", "il numero di prove"};
inline constexpr AnalysisField seme{form6::Text7, "seme", "1", "il seme"};
inline constexpr AnalysisField banda{form6::Text8, "banda", "10", "la banda di Po [± %]"};
inline constexpr AnalysisField bandaVon{form6::Text9, "bandaVon", "5", "la banda della tensione all'accensione [% del picco]"};
inline constexpr OptionField distribuzione{
    "distribuzione", {"uniforme", "normale"}, {form6::Option1, form6::Option2}};
inline constexpr SwitchField ritaratura{"ritaratura", "no", "si", form6::Check1};

inline constexpr OptionField variabile{
    "variabile", {"RL", "X", "Vcc", "f"},
    {form7::Option1, form7::Option2, form7::Option3, form7::Option4}};
inline constexpr AnalysisField da{form7::Text1, "da", "0.5", "l'inizio della scansione"};
inline constexpr AnalysisField a{form7::Text2, "a", "2", "la fine della scansione"};
inline constexpr AnalysisField punti{form7::Text3, "punti", "31", "il numero di punti"};
// clang-format on
}  // namespace analysis

inline constexpr std::array kToleranceFields{
    analysis::tolC,  analysis::tolL, analysis::tolR,  analysis::tolCoss, analysis::tolRon,
    analysis::prove, analysis::seme, analysis::banda, analysis::bandaVon};
inline constexpr std::array kToleranceChoices{analysis::distribuzione};
inline constexpr std::array kSweepFields{analysis::da, analysis::a, analysis::punti};
inline constexpr std::array kSweepChoices{analysis::variabile};

// By command-line name, or nothing.
const AnalysisField* FindAnalysisField(std::string_view name);
const OptionField* FindOptionField(std::string_view name);

// The index of the option selected, the default's (0) when none is.
int SelectedOption(Controls& ui, const OptionField& choice);

// Selects the option of that text; false when the text names none.
bool SelectOption(Controls& ui, const OptionField& choice, std::string_view text);

}  // namespace classe
