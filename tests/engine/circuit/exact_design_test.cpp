// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cmath>

#include "engine/circuit/exact_design.h"
#include "tests/engine/circuit/support.h"

namespace classe::circuit {
namespace {

using testing::Ideal;
using testing::Options;

void ExpectNominal(const ExactDesign& e, double Po) {
  EXPECT_NEAR(e.steady.power.load, Po, 1e-6 * Po);
  EXPECT_LT(std::fabs(e.steady.vonFraction), 1e-6);
  EXPECT_LT(std::fabs(e.steady.slopeTurnOn), 1e-6 * e.steady.vPeak);
  EXPECT_LT(e.residual, 1e-9);
}

TEST(ExactDesign, DefaultStage) {
  const ExactDesign e = DesignExact(Ideal(), Options()).value();
  ExpectNominal(e, 50);
  const Stage& s = e.stage;
  EXPECT_NEAR(s.R, 8.030, 0.0005);
  EXPECT_NEAR(s.C1, 1090e-12, 0.5e-12);
  EXPECT_NEAR(s.C2, 1837e-12, 0.5e-12);
  EXPECT_NEAR(s.L1, 29.05e-6, 0.005e-6);
  EXPECT_NEAR(s.L2, 1.278e-6, 0.0005e-6);
  // The choke and series inductor follow from C1 and R, as the design fixes them.
  EXPECT_NEAR(s.L1 * s.omega * s.omega * s.C1, 20, 1e-12);
  EXPECT_NEAR(s.omega * s.L2 / s.R, 4, 1e-12);
  EXPECT_EQ(e.iterations, 5);  // Newton steps from the ideal design's start
}

TEST(ExactDesign, NetworkInTheLoop) {
  const ExactDesign e = DesignExact(Ideal(), Options(50.0)).value();
  ExpectNominal(e, 50);
  EXPECT_EQ(e.stage.load.kind, LoadKind::ShuntCAtLoad);
  EXPECT_NEAR(e.stage.load.L, 0.7505e-6, 0.0005e-6);
  EXPECT_NEAR(e.stage.load.C, 1747e-12, 0.5e-12);
  const ExactDesign low = DesignExact(Ideal("3"), Options(4.0, 0.01, 300.0)).value();
  ExpectNominal(low, 50);
  EXPECT_EQ(low.stage.load.kind, LoadKind::ShuntCAtInput);
}

// With a very high Q and a huge choke the real stage is the ideal one.
TEST(ExactDesign, TendsToTheIdealDesign) {
  const IdealDesign ideal = Ideal("1000", "5000");
  const ExactDesign e = DesignExact(ideal, Options()).value();
  ExpectNominal(e, 50);
  EXPECT_NEAR(e.stage.R, 9.04, 0.01);
  EXPECT_NEAR(e.stage.R, ideal.R, 1e-3 * ideal.R);
  EXPECT_NEAR(e.stage.C1, ideal.C1, 2e-3 * ideal.C1);
}

// Von and lossy inductors: the on-voltage moves the target of vD(π), and
// Po is still what reaches the load.
TEST(ExactDesign, LossyStage) {
  const ExactDesign e = DesignExact(Ideal("6", "15", "1.5"), Options(50.0, 0.05, 100.0)).value();
  ExpectNominal(e, 50);
  EXPECT_NEAR(e.steady.vTurnOn, 1.5, 1e-6 * e.steady.vPeak);
  EXPECT_LT(e.steady.efficiency, 0.95);
}

TEST(ExactDesign, LandsAcrossQAndN) {
  for (const char* Q : {"2", "3", "10", "50"})
    for (const char* N : {"5", "30", "100"}) {
      SCOPED_TRACE(std::string("Q ") + Q + ", N " + N);
      const Result<ExactDesign> e = DesignExact(Ideal(Q, N), Options());
      ASSERT_TRUE(e.ok()) << e.failure().message;
      ExpectNominal(*e, 50);
    }
}

TEST(ExactDesign, NoDesignGivesAFailure) {
  // Below Q ≈ 1.75 (N = 20) C2 would have to be infinite.
  for (const char* Q : {"1.7", "1.5", "1.1"}) {
    SCOPED_TRACE(Q);
    const Result<ExactDesign> e = DesignExact(Ideal(Q), Options());
    ASSERT_FALSE(e.ok());
    EXPECT_EQ(e.failure().kind, FailureKind::QTooLow);
    EXPECT_NE(e.failure().message.find("Aumenta Q"), std::string::npos);
  }
  // Just above the boundary the design still exists, with a huge C2.
  const ExactDesign edge = DesignExact(Ideal("1.76"), Options()).value();
  EXPECT_GT(edge.stage.C2, 100e-9);

  IdealDesign noChoke = Ideal();
  noChoke.N = 0;
  EXPECT_EQ(DesignExact(noChoke, Options()).failure().kind, FailureKind::InvalidValue);
  IdealDesign onAboveSupply = Ideal();
  onAboveSupply.Von = 28;  // as large as Vcc
  EXPECT_EQ(DesignExact(onAboveSupply, Options()).failure().message,
            "Valore non valido per Von: deve essere ≥ 0 e minore di Vcc.");
  EXPECT_EQ(DesignExact(Ideal(), Options(std::nullopt, -0.1)).failure().kind,
            FailureKind::NegativeRon);
  // A 3 kΩ switch leaves no design: Newton stops at its cap of 60 steps.
  const std::string stuck = DesignExact(Ideal(), Options(std::nullopt, 3000)).failure().message;
  EXPECT_NE(stuck.find("dopo 60 iterazioni."), std::string::npos) << stuck;
  StageOptions coss;
  coss.Coss = 1.2e-9;  // the exact C1 is 1090 pF
  const Result<ExactDesign> big = DesignExact(Ideal(), coss);
  EXPECT_EQ(big.failure().kind, FailureKind::CossAboveC1);
  coss.Coss = DesignExact(Ideal(), Options()).value().stage.C1;  // all of C1: nothing to buy
  EXPECT_EQ(DesignExact(Ideal(), coss).value().stage.C1ToBuy(), 0);
  coss.Coss = 300e-12;
  EXPECT_NEAR(DesignExact(Ideal(), coss).value().stage.C1ToBuy(), 790e-12, 0.5e-12);
}

}  // namespace
}  // namespace classe::circuit
