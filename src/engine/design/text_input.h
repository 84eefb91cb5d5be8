// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <string_view>

namespace classe {

// Longest text the character walk accepts; it counts with a 16-bit integer.
inline constexpr std::size_t kMaxFieldLength = 32767;

// What the lexical check makes of one input text.
enum class TextCheck {
  Accepted,
  Missing,  // empty
  Invalid,  // a character other than the ten ASCII digits and . e E - +, or
            // more than kMaxFieldLength characters
};

TextCheck CheckText(std::string_view text);

// Leading-number conversion: blanks, tabs and line feeds are ignored, then an
// optional sign, digits with at most one point and an optional exponent are
// read up to the first character that does not fit; no mantissa digit gives
// 0. The point is the only decimal separator, whatever the locale.
// A number beyond the double range gives ±∞ and raises the overflow flag, so
// the caller's fault check reports it.
double Val(std::string_view text);

// Nearest 32-bit signed integer, halves to even (2.5 → 2, 3.5 → 4); a value
// outside the range is an overflow fault named after `quantity`.
std::int32_t RoundToInt32(double value, std::string_view quantity);

}  // namespace classe
