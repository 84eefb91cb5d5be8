// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <string>

#include "engine/parts/purchase.h"

namespace classe::parts {

// A value with its unit and an SI prefix, up to four significant digits and
// the point as decimal separator: "1.1 nF", "820 pF", "3.3 µH". The empty
// text for a value that is not finite.
std::string ValueWithUnit(double value, std::string_view unit);

// "820 pF + 180 pF".
std::string PairText(const Pair& pair, std::string_view unit);

// The bill of materials as CSV: a header row, one row a part in the order of
// the purchase, the point as decimal separator; no field holds a comma.
std::string BillOfMaterialsCsv(const Purchase& purchase);

}  // namespace classe::parts
