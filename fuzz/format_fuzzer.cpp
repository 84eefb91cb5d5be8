// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// Format over arbitrary doubles and every display pattern of the program:
// the shape of each text, its sign, and that it reads back to the value
// within half a unit of its last digit.
//
// Input: eight bytes taken as a double (zeros where the input is shorter),
// then optionally a decimal text read as a second double, which reaches the
// ties of the display rounding (0.125, 2.675, 9.9995) that random bits miss.

#include <locale.h>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <system_error>

#include "design/display_format.h"
#include "fuzz/fuzz_support.h"

namespace classe::fuzz {
namespace {

struct DisplayPattern {
  std::string_view text;
  int decimals;
  bool scientific;
  std::string_view separator;  // between mantissa and E
};

constexpr std::array<DisplayPattern, 5> kPatterns{{
    {"0.000E+00", 3, true, ""},
    {"0.00E+00", 2, true, ""},
    {"0.000 E+00", 3, true, " "},
    {"0.00", 2, false, ""},
    {"0", 0, false, ""},
}};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string Describe(double value, const DisplayPattern& p, const std::string& text) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g (%a)", value, value);
  return std::string(buffer) + " with \"" + std::string(p.text) + "\" gave " + Printable(text);
}

// Walks the text as the pattern prescribes; returns the exponent shown (0
// for the fixed patterns) and fails on anything out of shape.
int CheckShape(double value, const DisplayPattern& p, const std::string& text) {
  auto context = [&] { return Describe(value, p, text); };
  std::size_t i = 0;
  const bool minus = !text.empty() && text[0] == '-';
  FUZZ_REQUIRE(minus == (value < 0), "a minus sign exactly for a negative value", context());
  if (minus) ++i;

  const std::size_t integerStart = i;
  while (i < text.size() && IsDigit(text[i]))
    ++i;
  const std::size_t integerDigits = i - integerStart;
  if (p.scientific) {
    FUZZ_REQUIRE(integerDigits == 1, "one digit before the point", context());
    FUZZ_REQUIRE((text[integerStart] == '0') == (value == 0),
                 "the leading digit is zero only for zero", context());
  } else {
    FUZZ_REQUIRE(integerDigits >= 1, "at least one digit before the point", context());
    FUZZ_REQUIRE(integerDigits == 1 || text[integerStart] != '0', "no leading zeros", context());
  }

  if (p.decimals > 0) {
    FUZZ_REQUIRE(i < text.size() && text[i] == '.', "the decimal point", context());
    ++i;
    const auto decimals = static_cast<std::size_t>(p.decimals);
    for (std::size_t k = 0; k < decimals; ++k, ++i)
      FUZZ_REQUIRE(i < text.size() && IsDigit(text[i]), "the pattern's number of decimals",
                   context());
  }
  if (!p.scientific) {
    FUZZ_REQUIRE(i == text.size(), "nothing after the decimals", context());
    return 0;
  }

  FUZZ_REQUIRE(text.compare(i, p.separator.size(), p.separator) == 0,
               "the separator before E copied from the pattern", context());
  i += p.separator.size();
  FUZZ_REQUIRE(i + 1 < text.size() && text[i] == 'E' && (text[i + 1] == '+' || text[i + 1] == '-'),
               "E and the exponent's sign, always written", context());
  const bool negativeExponent = text[i + 1] == '-';
  i += 2;
  const std::size_t exponentStart = i;
  int exponent = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i)
    exponent = exponent * 10 + (text[i] - '0');
  const std::size_t exponentDigits = i - exponentStart;
  FUZZ_REQUIRE(i == text.size(), "nothing after the exponent", context());
  FUZZ_REQUIRE(exponentDigits >= 2 && exponentDigits <= 3, "an exponent of two or three digits",
               context());
  FUZZ_REQUIRE(exponentDigits == 2 || text[exponentStart] != '0',
               "no leading zero beyond the two exponent digits", context());
  FUZZ_REQUIRE(!negativeExponent || exponent > 0, "a zero exponent is written E+00", context());
  return negativeExponent ? -exponent : exponent;
}

locale_t CLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return locale;
}

// Distance to the next double towards zero: how far the shortest decimal
// form may lie from the value itself.
long double Ulp(double value) {
  const double magnitude = std::fabs(value);
  if (magnitude == 0) return std::numeric_limits<double>::denorm_min();
  return static_cast<long double>(magnitude) - std::nextafter(magnitude, 0.0);
}

void CheckReadBack(double value, const DisplayPattern& p, const std::string& text, int exponent) {
  std::string plain;
  for (char c : text) {
    if (c != ' ') plain += c;
  }
  char* end = nullptr;
  const long double shown = strtold_l(plain.c_str(), &end, CLocale());
  FUZZ_REQUIRE(end == plain.c_str() + plain.size(), "the text reads back as a number",
               Describe(value, p, text));
  // Half a unit of the last digit shown, with room for the rounding being
  // done on the shortest decimal form rather than on the exact binary value.
  const long double unit = std::pow(10.0L, static_cast<long double>(exponent - p.decimals));
  const long double allowed = unit / 2 * (1 + 1e-15L) + 2 * Ulp(value);
  const long double error = std::fabs(shown - static_cast<long double>(value));
  FUZZ_REQUIRE(error <= allowed, "the text is the value to half a unit of its last digit",
               Describe(value, p, text));
}

void CheckValue(double value) {
  for (const DisplayPattern& p : kPatterns) {
    const std::string text = Format(value, p.text);
    FUZZ_REQUIRE(!MentionsNonFinite(text), "no \"nan\" or \"inf\" in a number's text",
                 Describe(value, p, text));
    FUZZ_REQUIRE(text.empty() == !std::isfinite(value), "empty exactly for a non-finite value",
                 Describe(value, p, text));
    if (text.empty()) continue;
    const int exponent = CheckShape(value, p, text);
    CheckReadBack(value, p, text, exponent);
    if (value > 0) {
      FUZZ_REQUIRE(Format(-value, p.text) == "-" + text, "a negative value is its magnitude signed",
                   Describe(-value, p, Format(-value, p.text)));
    }
  }
}

}  // namespace
}  // namespace classe::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace classe::fuzz;
  unsigned char bits[sizeof(double)] = {};
  std::memcpy(bits, data, std::min(size, sizeof bits));
  double raw = 0;
  std::memcpy(&raw, bits, sizeof raw);
  CheckValue(raw);

  if (size > sizeof(double)) {
    const char* first = reinterpret_cast<const char*>(data) + sizeof(double);
    const char* last = reinterpret_cast<const char*>(data) + size;
    double decimal = 0;
    const auto [end, error] = std::from_chars(first, last, decimal);
    if (error == std::errc() && end != first) CheckValue(decimal);
  }
  return 0;
}
