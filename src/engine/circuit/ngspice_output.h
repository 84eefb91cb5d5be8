// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string_view>

namespace classe::circuit {

// The measures of a deck from WriteSpiceDeck, as ngspice printed them.
struct NgspiceMeasures {
  double po = 0;   // W, into the load over the last period
  double pdc = 0;  // W, from Vcc
  double eff = 0;  // po / pdc
  double vpk = 0;  // V, drain peak
  double von = 0;  // V, drain voltage at the last turn-on
};

// Reads the lines "name = value" that `ngspice -b` prints for the measures;
// nothing unless all five are there and finite. Numbers are read with the
// point whatever the locale.
std::optional<NgspiceMeasures> ReadNgspiceMeasures(std::string_view output);

}  // namespace classe::circuit
