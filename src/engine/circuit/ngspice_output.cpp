// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/circuit/ngspice_output.h"

#include <charconv>
#include <cmath>
#include <string>

namespace classe::circuit {
namespace {

bool IsNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  return text;
}

}  // namespace

std::optional<NgspiceMeasures> ReadNgspiceMeasures(std::string_view output) {
  NgspiceMeasures m;
  struct Wanted {
    std::string_view name;
    double* value;
    bool seen = false;
  };
  Wanted wanted[] = {
      {"po", &m.po}, {"pdc", &m.pdc}, {"eff", &m.eff}, {"vpk", &m.vpk}, {"von", &m.von}};
  while (!output.empty()) {
    const std::size_t end = output.find('\n');
    std::string_view line = SkipBlanks(output.substr(0, end));
    output.remove_prefix(end == std::string_view::npos ? output.size() : end + 1);
    std::size_t n = 0;
    while (n < line.size() && IsNameCharacter(line[n]))
      ++n;
    const std::string_view name = line.substr(0, n);
    line = SkipBlanks(line.substr(n));
    if (line.empty() || line.front() != '=') continue;
    line = SkipBlanks(line.substr(1));
    double value = 0;
    const auto [stop, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (error != std::errc() || !std::isfinite(value)) continue;
    for (Wanted& w : wanted) {
      if (w.name == name) {
        *w.value = value;
        w.seen = true;
      }
    }
  }
  for (const Wanted& w : wanted) {
    if (!w.seen) return std::nullopt;
  }
  return m;
}

}  // namespace classe::circuit
