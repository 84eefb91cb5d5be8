// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>

#include "engine/document/design_document.h"

namespace classe::document {

inline constexpr std::string_view kFormatName = "classe-e";
inline constexpr int kFormatVersion = 1;

// A design is a few kilobytes (a long Coss curve some hundred): anything past
// these is no design and is refused before it is parsed.
inline constexpr std::size_t kMaxDocumentBytes = 4 << 20;
inline constexpr int kMaxDocumentDepth = 64;
inline constexpr std::size_t kMaxTextBytes = 1000;  // one field's text, a curve's name
inline constexpr std::size_t kMaxCurvePoints = 10000;
inline constexpr double kMaxCurveVolts = 1e5;
inline constexpr double kMaxCurvePf = 1e9;

// The document as the file's text: "format" and "version" first, then the
// sections, numbers with the point whatever the locale, UTF-8.
std::string WriteDocument(const DesignDocument& doc);

struct DocumentRead {
  DesignDocument doc;
  std::string warning;  // empty, or why some of the file was ignored
};

// Why a file was refused, in Italian, naming the key or the byte.
struct DocumentError {
  std::string message;
};

// The document a file's text holds. It starts from `defaults`, whose keys are
// the ones known: a key the file lacks keeps its default, a key the defaults
// lack is ignored. A file of a newer version is read with a warning.
std::variant<DocumentRead, DocumentError> ReadDocument(std::string_view text,
                                                       const DesignDocument& defaults);

}  // namespace classe::document
