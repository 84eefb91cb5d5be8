// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/circuit/ratings.h"
#include "engine/circuit/result.h"
#include "engine/circuit/stage.h"
#include "engine/parts/retune.h"
#include "engine/parts/standard_series.h"

namespace classe::parts {

// What the builder buys with: a series per part kind, parallel pairs or
// single capacitors, and the margin on the voltage ratings.
struct PartChoice {
  Series capacitors = Series::E24;
  Series inductors = Series::Continuous;
  bool pairs = false;
  double margin = 1.5;
};

// One part of the stage, designed and as bought.
struct BoughtPart {
  std::string ref;  // C1 (the capacitor bought beside the transistor), C2, L1, L2, L, C
  bool capacitor = false;
  double value = 0;     // the design's, SI
  double standard = 0;  // as bought (a pair: its sum), SI; the tuned value for a knob
  std::optional<Pair> pair;
  Series series = Series::Continuous;
  bool adjustable = false;            // a knob of the retune: bought near, then turned
  double tolerance = 0;               // the series' band, fraction; 0 when continuous
  circuit::ComponentRating rating;    // in the stage as bought and retuned
  std::optional<double> ratingV;      // V to buy: peak · margin rounded up; none above 2000 V
  std::optional<double> dissipation;  // W, where a Q gives the loss
};

// The stage with the capacitors at their standard values (single or pair),
// L1 at or above its design in the inductors' series and the other
// inductors at their nearest: what is soldered in before any tuning.
circuit::Stage BoughtStage(const circuit::Stage& design, const PartChoice& choice);

// The usual ratings of RF capacitors, V.
inline constexpr double kVoltageRatings[] = {50, 100, 200, 300, 500, 630, 1000, 2000};

// The peak times the margin, rounded up to the next usual rating; none above
// the last.
std::optional<double> VoltageRating(double peak, double margin);

// The band parts of a series are sold in: E6 20 %, E12 10 %, E24 5 %, E48
// 2 %, E96 1 %.
double SeriesTolerance(Series series);

struct Purchase {
  circuit::Stage bought;  // before tuning
  Retune retune;
  circuit::Ratings ratings;  // of the retuned stage
  std::vector<BoughtPart> parts;
};

// The whole purchase for a design: the parts bought, the retune that brings
// the switching back, and what each part must stand.
circuit::Result<Purchase> PlanPurchase(const circuit::Stage& design, double Po,
                                       const PartChoice& choice);

}  // namespace classe::parts
