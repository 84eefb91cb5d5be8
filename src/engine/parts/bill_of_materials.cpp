// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/parts/bill_of_materials.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace classe::parts {
namespace {

// Locale-free: "%g" would write a comma under an Italian locale.
std::string Number(double value, int digits) {
  std::array<char, 64> buffer{};
  const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::general, digits);
  if (error != std::errc()) return {};
  return std::string(buffer.data(), end);
}

// Empty for a figure the part does not have.
std::string Optional(const std::optional<double>& value, int digits) {
  return value && std::isfinite(*value) ? Number(*value, digits) : std::string();
}

std::string_view UnitOf(const BoughtPart& part) {
  return part.capacitor ? "F" : "H";
}

}  // namespace

std::string ValueWithUnit(double value, std::string_view unit) {
  if (!std::isfinite(value)) return {};
  struct Prefix {
    double scale;
    const char* symbol;
  };
  static constexpr Prefix kPrefixes[] = {{1e-15, "f"}, {1e-12, "p"}, {1e-9, "n"}, {1e-6, "µ"},
                                         {1e-3, "m"},  {1, ""},      {1e3, "k"},  {1e6, "M"}};
  const double magnitude = std::abs(value);
  Prefix chosen = kPrefixes[0];
  for (const Prefix& p : kPrefixes)
    if (magnitude >= p.scale * (1 - 1e-12)) chosen = p;
  if (magnitude == 0) chosen = {1, ""};
  return Number(value / chosen.scale, 4) + ' ' + chosen.symbol + std::string(unit);
}

std::string PairText(const Pair& pair, std::string_view unit) {
  return ValueWithUnit(pair.a, unit) + " + " + ValueWithUnit(pair.b, unit);
}

std::string BillOfMaterialsCsv(const Purchase& purchase) {
  std::string csv =
      "riferimento,valore,serie,tolleranza_percento,coppia,tensione_nominale_V,Vpicco_V,Irms_A,"
      "Ipicco_A,dissipazione_W\n";
  for (const BoughtPart& part : purchase.parts) {
    const std::string_view unit = UnitOf(part);
    csv += part.ref + ',' + ValueWithUnit(part.standard, unit) + ',';
    csv += part.adjustable ? std::string("regolabile") : std::string(SeriesName(part.series));
    csv += ',';
    if (part.tolerance > 0) csv += Number(100 * part.tolerance, 3);
    csv += ',';
    if (part.pair) csv += PairText(*part.pair, unit);
    csv += ',' + Optional(part.ratingV, 6) + ',' + Number(part.rating.voltage, 5) + ',' +
           Number(part.rating.rmsCurrent, 5) + ',' + Number(part.rating.current, 5) + ',' +
           Optional(part.dissipation, 4) + '\n';
  }
  return csv;
}

}  // namespace classe::parts
