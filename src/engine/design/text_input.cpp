// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/design/text_input.h"

#include <locale.h>
#include <cerrno>
#include <cfenv>
#include <clocale>
#include <cmath>
#include <cstdlib>

#include "engine/design/fault.h"

namespace classe {
namespace {

bool IsAllowed(char c) {
  return (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '-' || c == '+';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Characters, not bytes: UTF-8 continuation bytes do not start a character.
std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text)
    count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

// The "C" locale, so that the point is the decimal separator even when the
// program runs under a locale that writes a comma.
locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
}

}  // namespace

TextCheck CheckText(std::string_view text) {
  if (text.empty()) return TextCheck::Missing;
  bool rejected = CharacterCount(text) > kMaxFieldLength;
  for (char c : text)
    rejected = rejected || !IsAllowed(c);
  return rejected ? TextCheck::Invalid : TextCheck::Accepted;
}

double Val(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') s.push_back(c);
  }

  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t mantissaDigits = 0;
  bool point = false;
  for (; i < s.size(); ++i) {
    if (IsDigit(s[i])) {
      ++mantissaDigits;
    } else if (s[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (mantissaDigits == 0) return 0;

  std::size_t end = i;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    const std::size_t exponentStart = j;
    while (j < s.size() && IsDigit(s[j]))
      ++j;
    if (j > exponentStart) end = j;  // "1e" and "1e+" read as 1
  }
  s.resize(end);

  errno = 0;
  const double value = strtod_l(s.c_str(), nullptr, CLocale());
  if (errno == ERANGE && std::isinf(value)) std::feraiseexcept(FE_OVERFLOW);
  // Below the smallest double the value is 0 or subnormal: an underflow,
  // which is not a fault.
  return value;
}

std::int32_t RoundToInt32(double value, std::string_view quantity) {
  // nearbyint rounds in the current mode, which the program never changes
  // from round-to-nearest-even.
  const double rounded = std::nearbyint(value);
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
    RaiseFault(FaultKind::Overflow, quantity);
  }
  return static_cast<std::int32_t>(rounded);
}

}  // namespace classe
