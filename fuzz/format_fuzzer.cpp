// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// Format over arbitrary doubles and every display pattern of the program:
// the shape of each text, its sign, and that it reads back to the value
// within half a unit of its last digit.
//
// Input: eight bytes taken as a double (zeros where the input is shorter),
// then optionally a decimal text read as a second double, which reaches the
// ties of the display rounding (0.125, 2.675, 9.9995) that random bits miss.

#include <array>
#include <charconv>
#include <limits>
#include <regex>
#include <system_error>

#include "engine/design/display_format.h"
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

std::string Describe(double value, const DisplayPattern& p, const std::string& text) {
  return fuzz::Describe(value) + " with \"" + std::string(p.text) + "\" gave " + Printable(text);
}

// The texts a pattern may give, the exponent captured: one digit before the
// point in the scientific patterns and no leading zeros in the fixed ones,
// the pattern's decimals, then the separator copied from the pattern and an
// exponent of two digits, or three without a leading zero, always signed.
std::regex Shape(const DisplayPattern& p) {
  const std::string decimals = p.decimals > 0 ? "\\.[0-9]{" + std::to_string(p.decimals) + "}" : "";
  if (!p.scientific) return std::regex("-?(0|[1-9][0-9]*)" + decimals);
  return std::regex("-?[0-9]" + decimals + std::string(p.separator) +
                    "E([+-]([0-9]{2}|[1-9][0-9]{2}))");
}

// Fails on a text out of shape; returns the exponent shown (0 for the fixed
// patterns).
int CheckShape(double value, const DisplayPattern& p, const std::string& text) {
  static const auto shapes = [] {
    std::array<std::regex, kPatterns.size()> out;
    for (std::size_t i = 0; i < kPatterns.size(); ++i)
      out[i] = Shape(kPatterns[i]);
    return out;
  }();
  std::smatch match;
  FUZZ_REQUIRE(
      std::regex_match(text, match, shapes[static_cast<std::size_t>(&p - kPatterns.data())]),
      "the pattern's digits, point, decimals, separator and signed exponent",
      Describe(value, p, text));
  const bool minus = text[0] == '-';
  // A value shown as zero ("0.00") has no sign, whatever its own.
  const bool shownZero = text.find_first_not_of("-0.") == std::string::npos;
  FUZZ_REQUIRE(minus == (value < 0 && !shownZero),
               "a minus sign exactly for a negative value not shown as zero",
               Describe(value, p, text));
  if (!p.scientific) return 0;
  FUZZ_REQUIRE((text[minus ? 1 : 0] == '0') == (value == 0),
               "the leading digit is zero only for zero", Describe(value, p, text));
  const int exponent = std::stoi(match[1].str());
  FUZZ_REQUIRE(exponent != 0 || match[1].str()[0] == '+', "a zero exponent is written E+00",
               Describe(value, p, text));
  return exponent;
}

// Distance to the next double towards zero: how far the shortest decimal
// form may lie from the value itself.
long double Ulp(double value) {
  const double magnitude = std::fabs(value);
  if (magnitude == 0) return std::numeric_limits<double>::denorm_min();
  return static_cast<long double>(magnitude) - std::nextafter(magnitude, 0.0);
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
    const std::optional<long double> shown = ReadShown(text);
    FUZZ_REQUIRE(shown.has_value(), "the text reads back as a number", Describe(value, p, text));
    // Half a unit of the last digit shown, with room for the rounding being
    // done on the shortest decimal form rather than on the exact binary value.
    const long double unit = std::pow(10.0L, static_cast<long double>(exponent - p.decimals));
    const long double allowed = unit / 2 * (1 + 1e-15L) + 2 * Ulp(value);
    FUZZ_REQUIRE(std::fabs(*shown - static_cast<long double>(value)) <= allowed,
                 "the text is the value to half a unit of its last digit",
                 Describe(value, p, text));
    if (value > 0) {
      // Unless it shows as zero: then it has no sign.
      const bool shownZero = text.find_first_not_of("0.") == std::string::npos;
      FUZZ_REQUIRE(Format(-value, p.text) == (shownZero ? text : "-" + text),
                   "a negative value is its magnitude signed",
                   Describe(-value, p, Format(-value, p.text)));
    }
  }
}

}  // namespace
}  // namespace classe::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace classe::fuzz;
  double raw = 0;  // zeros where the input is shorter
  std::memcpy(&raw, data, std::min(size, sizeof raw));
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
