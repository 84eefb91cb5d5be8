// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "cli/design_file.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <variant>

#include "actions/document_controls.h"
#include "actions/input_fields.h"
#include "engine/document/atomic_write.h"
#include "engine/document/document_json.h"

namespace classe::cli {
namespace {

// The whole file, or the reason it cannot be read; a file past `limit` is not
// read at all.
std::optional<std::string> ReadWhole(const std::string& path, std::uintmax_t limit,
                                     std::string_view tooBig, std::string& text) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) return "il file non si può leggere (" + error.message() + ").";
  if (size > limit) return std::string(tooBig);
  std::ifstream in(path, std::ios::binary);
  text.assign(static_cast<std::size_t>(size), '\0');
  if (!in.read(text.data(), static_cast<std::streamsize>(size)))
    return std::string("il file non si può leggere.");
  return std::nullopt;
}

FileRefusal DataFile(const std::string& path, const std::string& reason) {
  return {kExitDataFile, path + ": " + reason};
}

}  // namespace

std::optional<FileRefusal> BuildDocument(const CommandLine& line, document::DesignDocument& doc,
                                         std::string& warning) {
  doc = DefaultDocument();
  if (line.file) {
    std::string text;
    if (const auto refused =
            ReadWhole(*line.file, document::kMaxDocumentBytes,
                      "il file è troppo grande per un progetto (più di 4 MB).", text))
      return DataFile(*line.file, *refused);
    auto read = document::ReadDocument(text, doc);
    if (const auto* error = std::get_if<document::DocumentError>(&read))
      return DataFile(*line.file, error->message);
    auto& done = std::get<document::DocumentRead>(read);
    doc = std::move(done.doc);
    if (!done.warning.empty()) warning = *line.file + ": " + done.warning;
  }
  if (line.curve) {
    std::string text;
    if (const auto refused =
            ReadWhole(*line.curve, static_cast<std::uintmax_t>(kMaxCurveFileBytes),
                      "il file è troppo grande per una curva Coss (più di 1 MB).", text))
      return DataFile(*line.curve, *refused);
    RealCircuitState loaded;
    if (const auto refused =
            LoadCossCurve(loaded, text, std::filesystem::path(*line.curve).filename().string()))
      return DataFile(*line.curve, *refused);
    doc.realCircuit.curveName = loaded.curveName;
    doc.realCircuit.curve = CurvePoints(*loaded.curve);
  }
  for (const auto& [control, text] : line.fields) {
    if (const InputField* field = FindInputField(control)) {
      SetDocumentText(doc, *field, text);
    } else {
      SetAnalysisSetting(doc, control, text);
    }
  }
  for (const Control option : line.options)
    SetAnalysisOption(doc, option);
  for (const auto& [box, on] : line.checks)
    SetAnalysisSwitch(doc, box, on);
  if (line.network) doc.realCircuit.network = *line.network;
  if (line.exactDesign) doc.realCircuit.exactDesign = *line.exactDesign;
  if (line.seriesC) doc.parts[std::string(kCapacitorSeries.symbol)] = *line.seriesC;
  if (line.seriesL) doc.parts[std::string(kInductorSeries.symbol)] = *line.seriesL;
  if (line.pairs) doc.parts[std::string(kPairsKey)] = *line.pairs ? "si" : "no";
  if (line.partsGiven) doc.parts[std::string(kPartsUsedKey)] = "si";
  return std::nullopt;
}

std::optional<FileRefusal> SaveDocument(const std::string& path,
                                        const document::DesignDocument& doc) {
  if (const auto failure = document::WriteAtomically(path, document::WriteDocument(doc)))
    return FileRefusal{kExitCantWrite, path + ": il file non si può scrivere (" + *failure + ")."};
  return std::nullopt;
}

std::optional<FileRefusal> ShowInSession(const document::DesignDocument& doc, Session& session) {
  if (const auto refused = ShowDocument(doc, session.ui, session.circuit))
    return FileRefusal{kExitDataFile, *refused};
  session.boughtParts = PartsUsed(doc);
  return std::nullopt;
}

}  // namespace classe::cli
