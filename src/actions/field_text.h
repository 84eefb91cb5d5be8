// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace classe {

// A decimal number, point as separator, exponent allowed, blanks around it;
// none for anything else (a text past the last digit, infinity, NaN).
std::optional<double> ParseDecimal(std::string_view text);

// A whole number in 0…2⁶³ − 1 written with digits only; none otherwise.
std::optional<std::int64_t> ParseWhole(std::string_view text);

}  // namespace classe
