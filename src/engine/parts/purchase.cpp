// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/parts/purchase.h"

#include <algorithm>
#include <cmath>

namespace classe::parts {
namespace {

using circuit::LoadKind;
using circuit::Stage;

struct Capacitor {
  double value = 0;
  std::optional<Pair> pair;
};

// A pair only where it comes nearer than the single part: nobody solders two
// where one does as well.
Capacitor Buy(double x, const PartChoice& choice) {
  const double single = Nearest(x, choice.capacitors);
  if (choice.pairs) {
    if (const auto pair = BestParallelPair(x, choice.capacitors);
        pair && std::abs(std::log(pair->value / x)) < std::abs(std::log(single / x)))
      return {pair->value, pair};
  }
  return {single, std::nullopt};
}

bool HasKnob(const Retune& r, Knob k) {
  return std::ranges::count(r.knobs, k) > 0;
}

}  // namespace

Stage BoughtStage(const Stage& design, const PartChoice& choice) {
  Stage s = design;
  const double cext = design.C1 - design.Coss;
  if (cext > 0) s.C1 = design.Coss + Buy(cext, choice).value;
  s.C2 = Buy(design.C2, choice).value;
  s.L1 = AtOrAbove(design.L1, choice.inductors);
  s.L2 = Nearest(design.L2, choice.inductors);
  if (design.load.kind != LoadKind::Resistor) {
    s.load.C = Buy(design.load.C, choice).value;
    s.load.L = Nearest(design.load.L, choice.inductors);
  }
  return s;
}

std::optional<double> VoltageRating(double peak, double margin) {
  const double needed = peak * margin;
  for (double rating : kVoltageRatings)
    if (needed <= rating) return rating;
  return std::nullopt;
}

double SeriesTolerance(Series series) {
  switch (series) {
    case Series::Continuous:
      return 0;
    case Series::E6:
      return 0.20;
    case Series::E12:
      return 0.10;
    case Series::E24:
      return 0.05;
    case Series::E48:
      return 0.02;
    case Series::E96:
      return 0.01;
  }
  return 0;
}

circuit::Result<Purchase> PlanPurchase(const Stage& design, double Po, const PartChoice& choice) {
  if (!(std::isfinite(choice.margin) && choice.margin >= 1))
    return circuit::InvalidValue("margine", "deve essere almeno 1");
  Purchase p;
  p.bought = BoughtStage(design, choice);
  circuit::Result<Retune> retune = RetuneStage(p.bought, Po, &design);
  if (!retune) return retune.failure();
  p.retune = std::move(retune).value();
  circuit::Result<circuit::Ratings> ratings = circuit::ComputeRatings(p.retune.stage);
  if (!ratings) return ratings.failure();
  p.ratings = *ratings;
  const Stage& t = p.retune.stage;

  const auto add = [&](const char* ref, bool capacitor, double value, double standard,
                       const circuit::ComponentRating& rating, std::optional<double> esrLoss,
                       bool knob) {
    BoughtPart part;
    part.ref = ref;
    part.capacitor = capacitor;
    part.value = value;
    part.standard = standard;
    part.series = capacitor ? choice.capacitors : choice.inductors;
    if (capacitor && choice.pairs && !knob && part.series != Series::Continuous) {
      part.pair = Buy(value, choice).pair;
    }
    part.adjustable = knob;
    part.tolerance = knob ? 0 : SeriesTolerance(part.series);
    part.rating = rating;
    part.ratingV = VoltageRating(rating.voltage, choice.margin);
    part.dissipation = esrLoss;
    p.parts.push_back(std::move(part));
  };
  const auto loss = [&](double L, const circuit::ComponentRating& r) -> std::optional<double> {
    if (!t.QU) return std::nullopt;
    return r.rmsCurrent * r.rmsCurrent * t.Esr(L);
  };
  const double cext = design.C1 - design.Coss;
  if (cext > 0) add("C1", true, cext, t.C1 - t.Coss, p.ratings.C1, std::nullopt, false);
  add("C2", true, design.C2, t.C2, p.ratings.C2, std::nullopt, false);
  add("L1", false, design.L1, t.L1, p.ratings.L1, std::nullopt, false);
  add("L2", false, design.L2, t.L2, p.ratings.L2, loss(t.L2, p.ratings.L2), true);
  if (design.load.kind != LoadKind::Resistor) {
    add("L", false, design.load.L, t.load.L, p.ratings.networkL, loss(t.load.L, p.ratings.networkL),
        HasKnob(p.retune, Knob::NetworkL));
    add("C", true, design.load.C, t.load.C, p.ratings.networkC, std::nullopt,
        HasKnob(p.retune, Knob::NetworkC));
  }
  return p;
}

}  // namespace classe::parts
