// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cmath>

#include "engine/circuit/exact_design.h"
#include "engine/parts/purchase.h"
#include "tests/engine/circuit/support.h"

namespace classe::parts {
namespace {

using circuit::testing::Ideal;
using circuit::testing::Options;

TEST(Purchase, VoltageRatingsRoundUpWithTheMargin) {
  EXPECT_EQ(VoltageRating(33, 1.5), 50);
  EXPECT_EQ(VoltageRating(34, 1.5), 100);
  EXPECT_EQ(VoltageRating(101.7, 1.5), 200);
  EXPECT_EQ(VoltageRating(420, 1.5), 630);
  EXPECT_EQ(VoltageRating(1333, 1.5), 2000);
  EXPECT_FALSE(VoltageRating(1400, 1.5));
  EXPECT_EQ(VoltageRating(100, 1), 100);
}

TEST(Purchase, SeriesBandsAndTheTransistorsOwnCapacitance) {
  EXPECT_DOUBLE_EQ(SeriesTolerance(Series::E6), 0.20);
  EXPECT_DOUBLE_EQ(SeriesTolerance(Series::E12), 0.10);
  EXPECT_DOUBLE_EQ(SeriesTolerance(Series::E24), 0.05);
  EXPECT_DOUBLE_EQ(SeriesTolerance(Series::E48), 0.02);
  EXPECT_DOUBLE_EQ(SeriesTolerance(Series::E96), 0.01);
  EXPECT_DOUBLE_EQ(SeriesTolerance(Series::Continuous), 0);
  // Only the capacitor beside the transistor's Coss is bought: C1 stays
  // Coss plus its standard value.
  circuit::StageOptions o = Options();
  o.Coss = 300e-12;
  const auto design = circuit::DesignExact(Ideal("10"), o).value().stage;
  const circuit::Stage bought = BoughtStage(design, PartChoice{});
  EXPECT_NEAR(bought.C1, 300e-12 + Nearest(design.C1 - 300e-12, Series::E24), 1e-24);
  const Purchase p = PlanPurchase(design, 50, PartChoice{}).value();
  EXPECT_NEAR(p.parts[0].standard, Nearest(design.C1 - 300e-12, Series::E24), 1e-24);
  EXPECT_NEAR(p.parts[0].tolerance, 0.05, 1e-15);
}

TEST(Purchase, PartsRatingsAndTuningOfABuiltStage) {
  const auto design = circuit::DesignExact(Ideal("10"), Options(3.0, 0.1, 200.0)).value().stage;
  const Purchase p =
      PlanPurchase(design, 50, PartChoice{.capacitors = Series::E12, .pairs = true}).value();
  std::vector<std::string> refs;
  int pairs = 0;
  for (const BoughtPart& part : p.parts) {
    refs.push_back(part.ref);
    if (part.pair) {
      ++pairs;
      EXPECT_EQ(part.standard, part.pair->value);
    }
  }
  // E12 is coarse enough that a pair beats the single part somewhere.
  EXPECT_GE(pairs, 2);
  EXPECT_EQ(refs, (std::vector<std::string>{"C1", "C2", "L1", "L2", "L", "C"}));
  for (const BoughtPart& part : p.parts) {
    EXPECT_LE(part.rating.rmsCurrent, part.rating.current * (1 + 1e-12)) << part.ref;
    ASSERT_TRUE(part.ratingV) << part.ref;
    EXPECT_GE(*part.ratingV, 1.5 * part.rating.voltage) << part.ref;
    if (part.capacitor && !part.adjustable) {
      EXPECT_NEAR(part.tolerance, 0.10, 1e-15);
      // A pair only where it beats the single part.
      if (part.pair) {
        EXPECT_LT(std::abs(std::log(part.pair->value / part.value)),
                  std::abs(std::log(Nearest(part.value, Series::E12) / part.value)));
      }
    }
    // The loss of an inductor with a Q: I²·ωL/QU.
    if (part.ref == "L2") {
      EXPECT_NEAR(
          *part.dissipation,
          p.ratings.L2.rmsCurrent * p.ratings.L2.rmsCurrent * p.retune.stage.Esr(p.retune.stage.L2),
          1e-12);
    }
  }
  // The RMS comes from the same period as the power: I²·RL is Po.
  EXPECT_NEAR(p.ratings.load.rmsCurrent * p.ratings.load.rmsCurrent * 3.0,
              p.retune.steady.power.load, 1e-9 * 50);
  // A bad margin is a message, not a rating.
  EXPECT_FALSE(PlanPurchase(design, 50, PartChoice{.margin = 0.5}));
  EXPECT_FALSE(PlanPurchase(design, 50, PartChoice{.margin = NAN}));
}

}  // namespace
}  // namespace classe::parts
