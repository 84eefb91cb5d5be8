// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "actions/input_fields.h"

#include <string>

#include "engine/design/text_input.h"

namespace classe {

namespace {

template <class Match>
const InputField* FindField(Match&& match) {
  for (std::span<const InputField> table : kFieldTables) {
    for (const InputField& field : table) {
      if (match(field)) return &field;
    }
  }
  return nullptr;
}

}  // namespace

const InputField* FindInputField(std::string_view symbol) {
  return FindField([&](const InputField& field) { return field.symbol == symbol; });
}

const InputField* FindInputField(Control control) {
  return FindField([&](const InputField& field) { return field.control == control; });
}

void CheckNumber(DesignState& state, const std::string& text, Controls& ui) {
  state.InputError = 0;
  switch (CheckText(text)) {
    case TextCheck::Accepted:
      return;
    case TextCheck::Missing:
      ui.message(state.MsgMissing);
      break;
    case TextCheck::Invalid:
      ui.message(state.MsgInvalid);
      break;
  }
  state.InputError = 1;
}

bool CheckFields(DesignState& state, Controls& ui, std::span<const InputField> fields) {
  for (const InputField& field : fields) {
    state.InputText = ui.text(field.control);
    if (state.InputText.empty() && field.msgMissing.empty()) continue;  // "none"
    state.MsgMissing = std::string(field.msgMissing);
    state.MsgInvalid = std::string(field.msgInvalid);
    CheckNumber(state, state.InputText, ui);
    if (state.InputError == 1) return false;
  }
  return true;
}

DesignTexts ReadDesignTexts(Controls& ui) {
  return {ui.text(form1::Text1), ui.text(form1::Text2), ui.text(form1::Text3),
          ui.text(form1::Text4), ui.text(form1::Text5), ui.text(form1::Text6)};
}

}  // namespace classe
