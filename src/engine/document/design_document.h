// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace classe::document {

// Field texts by their command-line name, kept as the user typed them: the
// checks read texts, and a file must give back the very same messages.
using Texts = std::map<std::string, std::string, std::less<>>;

// One point of a datasheet's Coss curve as the curve file gave it.
struct CurvePoint {
  double vds = 0;     // V
  double cossPf = 0;  // pF
  friend bool operator==(const CurvePoint&, const CurvePoint&) = default;
};

// The real-circuit window's inputs.
struct RealCircuitInputs {
  Texts texts;                    // Ron, Coss, QU, VdsCoss, m, Vj, BVdss
  std::optional<bool> network;    // nothing: the window's own choice from R and RL
  bool exactDesign = true;        // the design of the netlist and of ngspice's check
  std::string curveName;          // the Coss curve's file name, empty without a curve
  std::vector<CurvePoint> curve;  // its points, so that a file sent on is whole
  friend bool operator==(const RealCircuitInputs&, const RealCircuitInputs&) = default;
};

// Every input of every window: what a design file holds. The windows fill it
// and show it, the command-line tool builds it from its fields.
struct DesignDocument {
  Texts main;  // Po, f, Q, Von, Vcc, N, RL, M
  RealCircuitInputs realCircuit;
  Texts parts;       // the parts as bought: series and margin
  Texts tolerances;  // the yield run
  Texts sweep;       // the swept variable and its range
  friend bool operator==(const DesignDocument&, const DesignDocument&) = default;
};

// A text of the parts, tolerance or sweep settings: its name (in the file and
// on the command line) and its text when nothing was typed.
struct DocumentText {
  std::string_view key;
  std::string_view defaultText;
};

// clang-format off
// "acquisto": "si" once the parts window (or a parts field on the command
// line) has been used, so that the netlist and the report include the parts.
inline constexpr std::array<DocumentText, 5> kPartsTexts{{
    {"serieC", "E24"}, {"serieL", "continua"}, {"coppie", "no"}, {"margine", "1.5"},
    {"acquisto", "no"}}};
// "eseguita": "si" once a tolerance run has gone through every build with
// these settings, so that the report shows its yield.
inline constexpr std::array<DocumentText, 12> kToleranceTexts{{
    {"tolC", "5"}, {"tolL", "5"}, {"tolR", "0"}, {"tolCoss", "0"}, {"tolRon", "0"},
    {"distribuzione", "uniforme"}, {"prove", "2000"}, {"seme", "1"}, {"banda", "10"},
    {"bandaVon", "5"}, {"ritaratura", "no"}, {"eseguita", "no"}}};
inline constexpr std::array<DocumentText, 4> kSweepTexts{{
    {"variabile", "RL"}, {"da", "0.5"}, {"a", "2"}, {"punti", "31"}}};
// clang-format on

// A section of plain texts: its key in the file, where the document holds
// it, and its texts with their defaults.
struct TextSection {
  std::string_view key;
  Texts DesignDocument::*member;
  std::span<const DocumentText> texts;
};

inline const std::array<TextSection, 3> kTextSections{{
    {"parts", &DesignDocument::parts, kPartsTexts},
    {"tolerances", &DesignDocument::tolerances, kToleranceTexts},
    {"sweep", &DesignDocument::sweep, kSweepTexts},
}};

// The table's texts at their defaults.
Texts DefaultTexts(std::span<const DocumentText> table);

}  // namespace classe::document
