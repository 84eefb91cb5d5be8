// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

#include "design/display_format.h"

namespace classe {
namespace {

struct FormatCase {
  double value;
  const char* pattern;
  const char* text;
};

class FormatExamples : public ::testing::TestWithParam<FormatCase> {};

void PrintTo(const FormatCase& c, std::ostream* os) {
  *os << c.value << " as " << c.pattern;
}

TEST_P(FormatExamples, WritesTheValueInThePattern) {
  EXPECT_EQ(Format(GetParam().value, GetParam().pattern), GetParam().text)
      << GetParam().value << " " << GetParam().pattern;
}

INSTANTIATE_TEST_SUITE_P(
    Scientific, FormatExamples,
    ::testing::Values(
        // The default design's six results.
        FormatCase{9.044237771493162, "0.000E+00", "9.044E+00"},
        FormatCase{39.2030162511927, "0.00E+00", "3.92E+01"},
        FormatCase{807.7262726589444, "0.000E+00", "8.077E+02"},
        FormatCase{1544.7143604809368, "0.000E+00", "1.545E+03"},
        FormatCase{1.4394351478315658, "0.000 E+00", "1.439 E+00"},
        FormatCase{1.785714285714286, "0.000E+00", "1.786E+00"},
        FormatCase{-1.7857142857, "0.000E+00", "-1.786E+00"},
        FormatCase{99.7357, "0.000E+00", "9.974E+01"}, FormatCase{0, "0.000E+00", "0.000E+00"},
        FormatCase{-0.0, "0.000E+00", "0.000E+00"}, FormatCase{0, "0.000 E+00", "0.000 E+00"},
        // Rounding that carries into the exponent.
        FormatCase{9.9996, "0.000E+00", "1.000E+01"},
        FormatCase{0.00099996, "0.000E+00", "1.000E-03"}, FormatCase{999.5, "0.00E+00", "1.00E+03"},
        FormatCase{-9.99951, "0.000E+00", "-1.000E+01"}, FormatCase{1e-5, "0.000E+00", "1.000E-05"},
        FormatCase{1e100, "0.000E+00", "1.000E+100"}, FormatCase{5e-324, "0.000E+00", "4.941E-324"},
        FormatCase{std::numeric_limits<double>::max(), "0.000E+00", "1.798E+308"},
        FormatCase{0.76578, "0.000E+00", "7.658E-01"},
        // Ties round away from zero on the number as written.
        FormatCase{1.0625, "0.000E+00", "1.063E+00"},
        FormatCase{2.2045, "0.000 E+00", "2.205 E+00"}));

INSTANTIATE_TEST_SUITE_P(
    Fixed, FormatExamples,
    ::testing::Values(FormatCase{0, "0.00", "0.00"}, FormatCase{3.14159265358979, "0.00", "3.14"},
                      FormatCase{12.56637061435916, "0.00", "12.57"},
                      FormatCase{13.194689145077, "0.00", "13.19"},
                      FormatCase{-5.54, "0.00", "-5.54"}, FormatCase{0.125, "0.00", "0.13"},
                      FormatCase{-0.125, "0.00", "-0.13"}, FormatCase{2.675, "0.00", "2.68"},
                      FormatCase{99.995, "0.00", "100.00"}, FormatCase{0.005, "0.00", "0.01"},
                      FormatCase{0.0049, "0.00", "0.00"}, FormatCase{1e-300, "0.00", "0.00"},
                      FormatCase{1e20, "0.00", "100000000000000000000.00"}, FormatCase{0, "0", "0"},
                      FormatCase{2.5, "0", "3"}, FormatCase{0.4, "0", "0"},
                      FormatCase{-7, "0", "-7"}, FormatCase{0.25, "0.0", "0.3"}));

TEST(Format, NonFiniteValuesNeverBecomeText) {
  for (double v : {std::nan(""), HUGE_VAL, -HUGE_VAL}) {
    for (const char* pattern : {"0.000E+00", "0.00E+00", "0.000 E+00", "0.00", "0"}) {
      EXPECT_EQ(Format(v, pattern), "");
    }
  }
}

TEST(Format, UnknownPatternsAreAProgrammingError) {
  for (const char* pattern : {"", "#.##", "0.0E", "0.00E-00", "x"}) {
    EXPECT_THROW(Format(1, pattern), std::invalid_argument) << pattern;
  }
}

}  // namespace
}  // namespace classe
