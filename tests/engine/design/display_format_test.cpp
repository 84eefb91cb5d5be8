// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <tuple>

#include "engine/design/display_format.h"

namespace classe {
namespace {

TEST(Format, WritesTheValueInThePattern) {
  const std::tuple<double, const char*, const char*> cases[] = {
      {1.4394351478315658, "0.000 E+00", "1.439 E+00"},
      {39.2030162511927, "0.00E+00", "3.92E+01"},
      {-1.7857142857, "0.000E+00", "-1.786E+00"},
      {0, "0.000E+00", "0.000E+00"},
      {-0.0, "0.000E+00", "0.000E+00"},
      {0, "0.000 E+00", "0.000 E+00"},
      // Rounding that carries into the exponent.
      {9.9996, "0.000E+00", "1.000E+01"},
      {0.00099996, "0.000E+00", "1.000E-03"},
      {999.5, "0.00E+00", "1.00E+03"},
      {-9.99951, "0.000E+00", "-1.000E+01"},
      {1e-5, "0.000E+00", "1.000E-05"},
      {1e100, "0.000E+00", "1.000E+100"},
      {5e-324, "0.000E+00", "4.941E-324"},
      {std::numeric_limits<double>::max(), "0.000E+00", "1.798E+308"},
      // Ties round away from zero on the number as written.
      {1.0625, "0.000E+00", "1.063E+00"},
      {2.2045, "0.000 E+00", "2.205 E+00"},
      {0, "0.00", "0.00"},
      {12.56637061435916, "0.00", "12.57"},
      {-5.54, "0.00", "-5.54"},
      {0.125, "0.00", "0.13"},
      {-0.125, "0.00", "-0.13"},
      {2.675, "0.00", "2.68"},
      {99.995, "0.00", "100.00"},
      {0.005, "0.00", "0.01"},
      {0.0049, "0.00", "0.00"},
      {1e-300, "0.00", "0.00"},
      // What rounds to zero has no sign left to show.
      {-0.0049, "0.00", "0.00"},
      {-1e-300, "0.00", "0.00"},
      {-0.0, "0.00", "0.00"},
      {-0.4, "0", "0"},
      {-0.04, "0.0", "0.0"},
      {-0.005, "0.00", "-0.01"},
      {1e20, "0.00", "100000000000000000000.00"},
      {0, "0", "0"},
      {2.5, "0", "3"},
      {0.4, "0", "0"},
      {-7, "0", "-7"},
      {0.25, "0.0", "0.3"}};
  for (const auto& [value, pattern, text] : cases)
    EXPECT_EQ(Format(value, pattern), text) << value << " " << pattern;
}

TEST(Format, UnknownPatternsAreAProgrammingError) {
  for (const char* pattern : {"", "#.##", "0.0E", "0.00E-00", "x"}) {
    EXPECT_THROW(Format(1, pattern), std::invalid_argument) << pattern;
  }
}

}  // namespace
}  // namespace classe
