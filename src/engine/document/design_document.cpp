// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/document/design_document.h"

namespace classe::document {

Texts DefaultTexts(std::span<const DocumentText> table) {
  Texts texts;
  for (const DocumentText& text : table)
    texts.emplace(text.key, text.defaultText);
  return texts;
}

}  // namespace classe::document
