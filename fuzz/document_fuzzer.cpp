// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// The design file reader on arbitrary bytes: a refusal is an Italian text
// without control characters; a document read writes back to a file that
// reads as the same document, and shows in the controls without harm.
//
// Input: the bytes of a design file.

#include <algorithm>

#include "actions/document_controls.h"
#include "actions/recording_controls.h"
#include "engine/document/document_json.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace classe;
  using namespace classe::fuzz;
  static const document::DesignDocument defaults = DefaultDocument();
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const auto read = document::ReadDocument(text, defaults);
  if (const auto* error = std::get_if<document::DocumentError>(&read)) {
    FUZZ_REQUIRE(
        !error->message.empty() && std::none_of(error->message.begin(), error->message.end(),
                                                [](char c) { return c >= 0 && c < 0x20; }),
        "a refusal is a text without control characters", Printable(error->message));
    return 0;
  }
  const auto& doc = std::get<document::DocumentRead>(read).doc;
  const std::string written = document::WriteDocument(doc);
  const auto again = document::ReadDocument(written, defaults);
  FUZZ_REQUIRE(std::holds_alternative<document::DocumentRead>(again) &&
                   std::get<document::DocumentRead>(again).doc == doc &&
                   std::get<document::DocumentRead>(again).warning.empty(),
               "a document read writes back as itself", Printable(written));
  RecordingControls ui;
  RealCircuitState circuit;
  if (!ShowDocument(doc, ui, circuit)) {
    FUZZ_REQUIRE(circuit.curve.has_value() == !doc.realCircuit.curveName.empty(),
                 "a document shown has its curve loaded", Printable(written));
  }
  return 0;
}
