// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/analysis_fields.h"

namespace classe {

const AnalysisField* FindAnalysisField(std::string_view name) {
  for (std::span<const AnalysisField> table : {std::span<const AnalysisField>(kToleranceFields),
                                               std::span<const AnalysisField>(kSweepFields)})
    for (const AnalysisField& field : table)
      if (field.name == name) return &field;
  return nullptr;
}

const OptionField* FindOptionField(std::string_view name) {
  for (std::span<const OptionField> table : {std::span<const OptionField>(kToleranceChoices),
                                             std::span<const OptionField>(kSweepChoices)})
    for (const OptionField& choice : table)
      if (choice.name == name) return &choice;
  return nullptr;
}

int SelectedOption(Controls& ui, const OptionField& choice) {
  for (std::size_t k = 0; k < choice.values.size() && !choice.values[k].empty(); ++k)
    if (ui.isSelected(choice.options[k])) return static_cast<int>(k);
  return 0;
}

bool SelectOption(Controls& ui, const OptionField& choice, std::string_view text) {
  for (std::size_t k = 0; k < choice.values.size() && !choice.values[k].empty(); ++k) {
    if (choice.values[k] == text) {
      ui.select(choice.options[k]);
      return true;
    }
  }
  return false;
}

}  // namespace classe
