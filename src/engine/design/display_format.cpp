// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/design/display_format.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <stdexcept>
#include <system_error>

namespace classe {
namespace {

struct Pattern {
  int decimals = 0;
  bool scientific = false;
  std::string_view separator;  // between mantissa and E
  int exponentDigits = 0;
};

Pattern ParsePattern(std::string_view pattern) {
  Pattern p;
  std::size_t i = 0;
  if (i >= pattern.size() || pattern[i] != '0') throw std::invalid_argument("display pattern");
  ++i;
  if (i < pattern.size() && pattern[i] == '.') {
    ++i;
    while (i < pattern.size() && pattern[i] == '0') {
      ++p.decimals;
      ++i;
    }
  }
  const std::size_t e = pattern.find("E+", i);
  if (e == std::string_view::npos) {
    if (i != pattern.size()) throw std::invalid_argument("display pattern");
    return p;
  }
  p.scientific = true;
  p.separator = pattern.substr(i, e - i);
  for (std::size_t j = e + 2; j < pattern.size(); ++j) {
    if (pattern[j] != '0') throw std::invalid_argument("display pattern");
    ++p.exponentDigits;
  }
  if (p.exponentDigits == 0) throw std::invalid_argument("display pattern");
  return p;
}

// |value| as decimal digits d0 d1 d2… and exponent e: |value| = d0.d1d2… × 10^e,
// from the shortest text that reads back as the same double.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

Decimal ShortestDecimal(double magnitude) {
  Decimal d;
  if (magnitude == 0) {
    d.digits = "0";
    return d;
  }
  char buffer[64];
  // A subnormal's shortest form can have fewer digits than the display
  // shows (4.94e-324 reads back from "5e-324"): take seventeen instead.
  const auto result =
      magnitude < std::numeric_limits<double>::min()
          ? std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific,
                          16)
          : std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
  const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
  const std::size_t e = text.find('e');
  for (char c : text.substr(0, e)) {
    if (c != '.') d.digits.push_back(c);
  }
  d.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  return d;
}

// The first `keep` digits as a whole number, rounded half away from zero on
// the digit after them; a carry out of the first digit adds a leading 1
// ("999" → "1000"). No digit kept gives "0", or "1" when the first dropped
// digit rounds up.
std::string RoundDigits(const std::string& digits, int keep) {
  if (keep < 0) return "0";
  const auto k = static_cast<std::size_t>(keep);
  std::string kept = digits.substr(0, k);
  kept.append(k - kept.size(), '0');
  const bool up = k < digits.size() && digits[k] >= '5';
  if (!up) return kept.empty() ? "0" : kept;
  for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return kept;
    }
    *it = '0';
  }
  return "1" + kept;
}

std::string FormatScientific(const Decimal& d, bool negative, const Pattern& p) {
  std::string digits = RoundDigits(d.digits, p.decimals + 1);
  int exponent = d.exponent;
  if (static_cast<int>(digits.size()) > p.decimals + 1) {
    digits.pop_back();
    ++exponent;
  }
  std::string out = negative ? "-" : "";
  out += digits[0];
  if (p.decimals > 0) {
    out += '.';
    out.append(digits, 1, std::string::npos);
  }
  out += p.separator;
  out += exponent < 0 ? "E-" : "E+";
  std::string exponentText = std::to_string(std::abs(exponent));
  if (static_cast<int>(exponentText.size()) < p.exponentDigits) {
    exponentText.insert(0, static_cast<std::size_t>(p.exponentDigits) - exponentText.size(), '0');
  }
  return out + exponentText;
}

std::string FormatFixed(const Decimal& d, bool negative, const Pattern& p) {
  // Units of the last decimal place: digits down to 10^-decimals.
  std::string units = RoundDigits(d.digits, d.exponent + 1 + p.decimals);
  const auto decimals = static_cast<std::size_t>(p.decimals);
  if (units.size() < decimals + 1) units.insert(0, decimals + 1 - units.size(), '0');
  // A value that rounds to zero is shown as zero, without a sign.
  const bool shownZero = units.find_first_not_of('0') == std::string::npos;
  std::string out = negative && !shownZero ? "-" : "";
  out.append(units, 0, units.size() - decimals);
  if (decimals > 0) {
    out += '.';
    out.append(units, units.size() - decimals, decimals);
  }
  return out;
}

}  // namespace

std::string Format(double value, std::string_view pattern) {
  const Pattern p = ParsePattern(pattern);
  if (!std::isfinite(value)) return {};
  const bool negative = value < 0;
  const Decimal d = ShortestDecimal(std::fabs(value));
  return p.scientific ? FormatScientific(d, negative, p) : FormatFixed(d, negative, p);
}

}  // namespace classe
