// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

// The Coss curve reader on arbitrary bytes: a refusal names a line the text
// has, in a text of printable characters; a curve holds its points, gives a
// finite positive capacitance everywhere, stays between its neighbouring
// points, and its charge is finite, of the sign of v, and rises with v.
//
// Input: the text of a curve file.

#include <algorithm>

#include "engine/transistor/coss_curve.h"
#include "fuzz/fuzz_support.h"

namespace classe::fuzz {
namespace {

using transistor::CossCurve;
using transistor::CurveError;

void CheckRefusal(std::string_view text, const CurveError& error) {
  const auto lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  FUZZ_REQUIRE(error.line >= 0 && error.line <= lines, "a refusal names a line of the text",
               std::to_string(error.line) + " of " + std::to_string(lines));
  const std::string prefix = "Riga " + std::to_string(error.line) + ": ";
  FUZZ_REQUIRE(error.message.starts_with(prefix) == (error.line > 0),
               "a refusal's text starts with its line, when it names one", error.message);
  FUZZ_REQUIRE(std::none_of(error.message.begin(), error.message.end(),
                            [](char c) { return c >= 0 && c < 0x20; }),
               "a refusal's text holds no control character", Printable(error.message));
}

void CheckCurve(const std::string& text, const CossCurve& curve) {
  const auto& v = curve.voltages();
  const auto& c = curve.capacitances();
  FUZZ_REQUIRE(v.size() >= 3 && v.front() >= 0 && std::is_sorted(v.begin(), v.end()) &&
                   std::adjacent_find(v.begin(), v.end()) == v.end(),
               "a curve has three or more points at rising Vds ≥ 0", Printable(text));
  std::vector<double> at{-1e300, -1e6, -10, -0.36, -0.35, -0.34, 0, 1e6, 1e300};
  for (std::size_t i = 0; i < v.size(); ++i) {
    FUZZ_REQUIRE(c[i] > 0 && curve.capacitance(v[i]) == std::max(c[i], 0x1p-1022),
                 "the curve passes through its points", Printable(text));
    at.push_back(v[i]);
    if (i + 1 < v.size()) {
      const double mid = v[i] + (v[i + 1] - v[i]) / 2;
      const double C = curve.capacitance(mid);
      const double a = curve.capacitance(v[i]), b = curve.capacitance(v[i + 1]);
      const double low = std::min(a, b), high = std::max(a, b);
      FUZZ_REQUIRE(C >= low * (1 - 1e-12) && C <= high * (1 + 1e-12),
                   "between two points the capacitance stays between theirs",
                   Printable(text) + " at " + Describe(mid) + ": " + Describe(C));
      at.push_back(mid);
    }
    at.push_back(2 * v[i] + 1);
  }
  std::sort(at.begin(), at.end());
  double previous = -HUGE_VAL;
  for (const double x : at) {
    const double C = curve.capacitance(x), dC = curve.derivative(x), q = curve.charge(x);
    FUZZ_REQUIRE(std::isfinite(C) && C > 0 && std::isfinite(dC),
                 "capacitance finite and positive, derivative finite",
                 Printable(text) + " at " + Describe(x) + ": " + Describe(C) + ", " + Describe(dC));
    FUZZ_REQUIRE(std::isfinite(q) && (x < 0 ? q <= 0 : q >= 0), "charge finite, of the sign of v",
                 Printable(text) + " at " + Describe(x) + ": " + Describe(q));
    FUZZ_REQUIRE(q >= previous - 1e-9 * std::fabs(previous), "charge rises with v",
                 Printable(text) + " at " + Describe(x) + ": " + Describe(q) + " after " +
                     Describe(previous));
    previous = q;
  }
}

}  // namespace
}  // namespace classe::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace classe::fuzz;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto read = classe::transistor::ReadCossCurve(text);
  if (const auto* error = std::get_if<classe::transistor::CurveError>(&read))
    CheckRefusal(text, *error);
  else
    CheckCurve(text, std::get<classe::transistor::CossCurve>(read));
  return 0;
}
