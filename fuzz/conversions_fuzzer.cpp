// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// The lexical check, the leading-number conversion and the rounding of N and
// M, each held against an independent reading of the same text.
//
// Input: the text of one field. An input starting with the byte 0xFF stands
// for the text after its second byte repeated to 32766, 32767 or 32768
// characters (by that second byte), around the longest the check takes; only
// the check runs on those, ordinary inputs reaching the conversion of long
// texts at a fraction of the cost.

#include <cfenv>
#include <charconv>
#include <system_error>

#include "actions/input_fields.h"
#include "actions/recording_controls.h"
#include "engine/design/design_state.h"
#include "engine/design/fault.h"
#include "engine/design/text_input.h"
#include "fuzz/fuzz_support.h"

namespace classe::fuzz {
namespace {

constexpr unsigned char kStretch = 0xFF;

std::string StretchedText(std::string_view body, unsigned char selector) {
  if (body.empty()) body = "0";
  const std::size_t length = 32766 + selector % 3;
  std::string text(body);
  while (text.size() < length)
    text.append(text, 0, length - text.size());
  return text;
}

void CheckLexicalCheck(const std::string& text) {
  DesignState s;
  s.MsgMissing = "missing";
  s.MsgInvalid = "invalid";
  s.InputError = 5;  // whatever the last check left
  RecordingControls ui;
  CheckNumber(s, text, ui);

  const bool acceptable = LexicallyAcceptable(text);
  // Not empty, not too long, and nothing but digits, the point, e, E and signs.
  const bool expected = !text.empty() && text.size() <= kMaxFieldLength &&
                        text.find_first_not_of("0123456789.eE-+") == std::string::npos;
  FUZZ_REQUIRE(acceptable == expected, "the check accepts exactly the number characters",
               Printable(text));
  FUZZ_REQUIRE(s.InputError == (acceptable ? 0 : 1), "CheckNumber accepts exactly the valid texts",
               Printable(text) + " gave InputError " + std::to_string(s.InputError));
  if (acceptable) {
    FUZZ_REQUIRE(ui.messages().empty(), "an accepted text shows no message", Printable(text));
    return;
  }
  FUZZ_REQUIRE(ui.messages().size() == 1, "a rejected text shows exactly one message",
               Printable(text));
  const auto& shown = ui.messages().front();
  FUZZ_REQUIRE(shown.text == (text.empty() ? "missing" : "invalid") && !shown.fault,
               "an empty text shows MsgMissing, any other rejected text MsgInvalid",
               Printable(text) + " showed " + shown.text);
  FUZZ_REQUIRE(s.MsgMissing == "missing" && s.MsgInvalid == "invalid",
               "CheckNumber leaves its messages as the caller set them");
}

// The leading number of a text, read without Val and without strtod: the
// pattern is walked here, the digits rewritten as 0.ddd…e±x and converted by
// std::from_chars, a separate correctly rounded conversion.
double ReferenceReading(std::string_view text) {
  std::string t(text);
  std::erase_if(t, [](char c) { return c == ' ' || c == '\t' || c == '\n'; });
  auto digit = [&t](std::size_t i) { return i < t.size() && t[i] >= '0' && t[i] <= '9'; };

  std::size_t i = 0;
  bool negative = false;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  std::string mantissa;
  std::int64_t fractionDigits = 0;
  bool point = false;
  for (; i < t.size(); ++i) {
    if (digit(i)) {
      mantissa += t[i];
      if (point) ++fractionDigits;
    } else if (t[i] == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (mantissa.empty()) return 0;  // no digit of the mantissa: 0, unsigned

  std::int64_t exponent = 0;
  if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) negativeExponent = t[j++] == '-';
    std::int64_t magnitude = 0;
    for (; digit(j); ++j) {
      // Far beyond any double; saturating keeps the sum from overflowing.
      magnitude = std::min<std::int64_t>(magnitude * 10 + (t[j] - '0'), 1'000'000'000);
    }
    exponent = negativeExponent ? -magnitude : magnitude;
  }

  const double zero = negative ? -0.0 : 0.0;
  const std::size_t first = mantissa.find_first_not_of('0');
  if (first == std::string::npos) return zero;
  std::string significant = mantissa.substr(first);
  // value = 0.significant × 10^scale
  const std::int64_t scale =
      static_cast<std::int64_t>(significant.size()) - fractionDigits + exponent;
  const double infinity = negative ? -HUGE_VAL : HUGE_VAL;
  if (scale > 400) return infinity;
  if (scale < -400) return zero;

  significant.erase(significant.find_last_not_of('0') + 1);
  // 800 digits decide the rounding of any double; what lies beyond can only
  // break a tie, which one more non-zero digit stands for.
  constexpr std::size_t kDigits = 800;
  if (significant.size() > kDigits) {
    significant.resize(kDigits);
    significant += '1';
  }
  const std::string canonical = "0." + significant + "e" + std::to_string(scale);
  double magnitude = 0;
  const auto [end, error] =
      std::from_chars(canonical.data(), canonical.data() + canonical.size(), magnitude);
  if (error == std::errc::result_out_of_range) return scale > 0 ? infinity : zero;
  FUZZ_REQUIRE(error == std::errc() && end == canonical.data() + canonical.size(),
               "the reference reading converts its canonical text", canonical);
  return negative ? -magnitude : magnitude;
}

void CheckConversion(const std::string& text) {
  std::feclearexcept(FE_ALL_EXCEPT);
  const double value = Val(text);
  const int raised = std::fetestexcept(FE_ALL_EXCEPT);
  const double want = ReferenceReading(text);

  FUZZ_REQUIRE(!std::isnan(value), "Val never gives NaN", Printable(text));
  FUZZ_REQUIRE(!std::isinf(value) || (raised & FE_OVERFLOW) != 0,
               "Val gives ±inf only with the overflow flag raised", Printable(text));
  // The actions read the flags after Val: a stray one would be reported as a
  // fault in a number that has none.
  FUZZ_REQUIRE((raised & (FE_INVALID | FE_DIVBYZERO)) == 0,
               "Val raises neither invalid operation nor division by zero", Printable(text));
  FUZZ_REQUIRE((raised & FE_OVERFLOW) == 0 || std::isinf(value),
               "Val raises overflow only for a number beyond the double range",
               Printable(text) + " gave " + Describe(value));
  FUZZ_REQUIRE(std::memcmp(&value, &want, sizeof value) == 0, "Val reads the leading number",
               Printable(text) + " gave " + Describe(value) + ", want " + Describe(want));
}

// Nearest integer, halves to even, from roundeven, which no rounding mode
// moves (RoundToInt32 relies on the mode in force).
void CheckRounding(double value) {
  const long double want = std::isfinite(value) ? roundevenl(value) : 0;
  const bool inRange = std::isfinite(value) && want >= -2147483648.0L && want <= 2147483647.0L;

  try {
    const std::int32_t got = RoundToInt32(value, "N");
    FUZZ_REQUIRE(inRange, "RoundToInt32 refuses what lies outside the 32-bit range",
                 Describe(value) + " gave " + std::to_string(got));
    FUZZ_REQUIRE(static_cast<long double>(got) == want,
                 "RoundToInt32 gives the nearest integer, halves to even",
                 Describe(value) + " gave " + std::to_string(got));
  } catch (const ArithmeticFault& fault) {
    FUZZ_REQUIRE(!inRange, "RoundToInt32 accepts every value of the 32-bit range",
                 Describe(value) + " threw " + fault.what());
    FUZZ_REQUIRE(fault.kind() == FaultKind::Overflow && fault.quantity() == "N",
                 "RoundToInt32 throws an overflow named after its quantity", fault.what());
  }
}

}  // namespace
}  // namespace classe::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace classe::fuzz;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (size >= 2 && data[0] == kStretch) {
    CheckLexicalCheck(StretchedText(bytes.substr(2), data[1]));
    return 0;
  }
  const std::string text(bytes);
  CheckLexicalCheck(text);
  CheckConversion(text);

  std::feclearexcept(FE_ALL_EXCEPT);
  CheckRounding(classe::Val(text));
  // The raw bits as a double reach what no text gives (NaN, infinities,
  // subnormals); the midpoint above its floor makes every value a tie too.
  if (size >= sizeof(double)) {
    double raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    CheckRounding(raw);
    if (std::isfinite(raw) && std::fabs(raw) < 0x1p52) CheckRounding(std::floor(raw) + 0.5);
  }
  return 0;
}
