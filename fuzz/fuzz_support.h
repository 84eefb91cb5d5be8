// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <locale.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/plot/plot_types.h"
#include "tests/known_messages.h"

// The entry point every fuzz target defines: libFuzzer calls it with each
// input, and the replay driver with each file of the corpus.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace classe::fuzz {

using testing::MentionsNonFinite;

// A text as C source would write it, so that a failing input can be read in
// the report whatever bytes it holds. Long texts are cut in the middle.
inline std::string Printable(std::string_view text) {
  constexpr std::size_t kShown = 120;
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text.size() > 2 * kShown && i == kShown) {
      out += "\"...(" + std::to_string(text.size() - 2 * kShown) + " bytes)...\"";
      i = text.size() - kShown;
    }
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') out += '\\';
    if (c >= 0x20 && c < 0x7F) {
      out += static_cast<char>(c);
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      out += escaped;
    }
  }
  return out + "\"";
}

// Every bit of a double shows: 0.1 and its neighbours differ in the report.
inline std::string Describe(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g (%a)", value, value);
  return buffer;
}

// A property that does not hold: name it, show the evidence and abort, so
// that libFuzzer keeps the input as a crash and the replay test fails.
[[noreturn]] inline void Fail(std::string_view property, std::string_view detail = {}) {
  std::fprintf(stderr, "\n*** property violated: %.*s\n", static_cast<int>(property.size()),
               property.data());
  if (!detail.empty()) {
    std::fprintf(stderr, "    %.*s\n", static_cast<int>(detail.size()), detail.data());
  }
  std::abort();
}

// A number as the program shows one ("2.205 E+00" included), read in the C
// locale; nothing unless the whole text is one.
inline std::optional<long double> ReadShown(std::string_view text) {
  static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  std::string plain;
  for (char ch : text)
    if (ch != ' ') plain += ch;
  char* end = nullptr;
  const long double value = strtold_l(plain.c_str(), &end, c);
  if (plain.empty() || end != plain.c_str() + plain.size()) return std::nullopt;
  return value;
}

// What the lexical check must accept: a non-empty text of at most 32767
// characters (the check walks them with a 16-bit counter), every one of the
// fifteen an input field may hold, written out rather than taken from the
// check under test.
inline bool LexicallyAcceptable(std::string_view text) {
  if (text.empty() || text.size() > 32767) return false;
  for (char c : text) {
    if (std::string_view("0123456789.eE-+").find(c) == std::string_view::npos) return false;
  }
  return true;
}

// Up to `count` texts separated by '|'; `bytes` keeps what follows the last
// '|' taken, nothing when the input ends first.
inline std::vector<std::string> SplitAtBars(std::string_view& bytes, std::size_t count) {
  std::vector<std::string> pieces;
  for (bool more = true; more && pieces.size() < count;) {
    const std::size_t bar = bytes.find('|');
    pieces.emplace_back(bytes.substr(0, bar));
    more = bar != std::string_view::npos;
    bytes.remove_prefix(more ? bar + 1 : bytes.size());
  }
  return pieces;
}

// Cursor positions, two floats each. The mouse is always somewhere: a window
// never reports a non-finite position.
inline std::vector<PlotPoint> CursorPositions(std::string_view bytes) {
  std::vector<PlotPoint> positions;
  for (; bytes.size() >= 2 * sizeof(float); bytes.remove_prefix(2 * sizeof(float))) {
    PlotPoint p;
    std::memcpy(&p.x, bytes.data(), sizeof p.x);
    std::memcpy(&p.y, bytes.data() + sizeof p.x, sizeof p.y);
    if (std::isfinite(p.x) && std::isfinite(p.y)) positions.push_back(p);
  }
  return positions;
}

}  // namespace classe::fuzz

// Fails with the property's name and the evidence; the evidence, often a
// string built for the report, is worked out only when the property fails.
#define FUZZ_REQUIRE(holds, ...)                     \
  do {                                               \
    if (!(holds)) ::classe::fuzz::Fail(__VA_ARGS__); \
  } while (false)
