// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>
#include <string_view>

namespace classe {

// Number → text by display pattern. Scientific patterns ("0.000E+00",
// "0.00E+00", "0.000 E+00"): one non-zero digit before the point (zero only
// for zero), as many decimals as the pattern has zeros after its point, any
// characters between mantissa and E copied, then the exponent's sign, always
// written, and at least as many exponent digits as the pattern shows. Fixed
// patterns ("0.00", "0"): at least one integer digit and the pattern's number
// of decimals. A negative value gets a leading minus sign, unless it rounds to
// zero ("0.00", never "-0.00").
//
// The value is rounded half away from zero on its shortest round-trip decimal
// form, so 0.125 shows as 0.13 and 2.675 as 2.68, as the user would write them.
//
// The actions never pass a non-finite value; one gives the empty text rather
// than "nan" or "inf". An unknown pattern throws std::invalid_argument.
std::string Format(double value, std::string_view pattern);

// The patterns the windows use; which value takes which is part of the display.
inline constexpr std::string_view kScientific3 = "0.000E+00";
inline constexpr std::string_view kScientific2 = "0.00E+00";
inline constexpr std::string_view kScientific3Spaced = "0.000 E+00";
inline constexpr std::string_view kFixed2 = "0.00";
inline constexpr std::string_view kWhole = "0";

}  // namespace classe
