// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <tuple>

#include "engine/design/design_equations.h"
#include "engine/design/fault.h"

namespace classe {
namespace {

DesignTexts Defaults() {
  return {"50", "4", "4", "0", "28", "20"};
}

TEST(ComputeDesign, DefaultInputsGiveTheWorkedExample) {
  DesignState s;
  ComputeDesign(s, Defaults());
  EXPECT_EQ(s.Po, 50);
  EXPECT_EQ(s.f, 4e6);
  EXPECT_EQ(s.N, 20);
  EXPECT_NEAR(s.omega, 25132741.23, 0.01);
  EXPECT_NEAR(s.R, 9.044238, 1e-6);
  EXPECT_NEAR(s.L1, 39.2030e-6, 1e-10);
  EXPECT_NEAR(s.C1, 807.726e-12, 1e-15);
  EXPECT_NEAR(s.L2, 1.439435e-6, 1e-12);
  EXPECT_NEAR(s.C0, 1099.837e-12, 1e-15);
  EXPECT_NEAR(s.C2, 1544.714e-12, 1e-15);
  EXPECT_NEAR(s.Ir, 3.325171, 1e-6);
  EXPECT_NEAR(s.IDC, 1.785714, 1e-6);
}

TEST(ComputeDesign, UsesTheDecimalPiAndItsTwiceAsWritten) {
  // omega is f times 6.28318530717958, not 2π to full precision: the last
  // digits of every derived value depend on it.
  DesignState s;
  ComputeDesign(s, Defaults());
  EXPECT_EQ(s.omega, 4e6 * 6.28318530717958);
  EXPECT_EQ(s.R, 8 * 784.0 / ((3.14159265358979 * 3.14159265358979 + 4) * 50));
  EXPECT_EQ(s.L1, 20 * 5.447 * s.R / s.omega);
}

TEST(ComputeDesign, WithoutOnVoltageTheOutputPowerIsPo) {
  for (const DesignTexts& t : {Defaults(), DesignTexts{"5", "13.56", "7", "0", "12", "8"},
                               DesignTexts{"1E3", "0.5", "2", "0", "100", "50"}}) {
    DesignState s;
    ComputeDesign(s, t);
    EXPECT_NEAR(s.Ir * s.Ir * s.R / 2 / s.Po, 1, 1e-12);
    EXPECT_NEAR(s.Vcc * s.IDC / s.Po, 1, 1e-12);
    // C2 is the series capacitor that leaves 1.152·R of reactance.
    EXPECT_NEAR(s.omega * s.L2 - 1 / (s.omega * s.C2), 1.152 * s.R, 1e-9 * s.R);
  }
}

TEST(ComputeDesign, OnVoltageLowersROnlyWhileCurrentsKeepVcc) {
  DesignState s;
  ComputeDesign(s, {"50", "4", "4", "2", "28", "20"});
  EXPECT_NEAR(s.R, 7.798348, 1e-6);
  EXPECT_NEAR(s.Ir, 3.856412, 1e-6);
  EXPECT_NEAR(s.IDC, 2.071006, 1e-6);
  EXPECT_NEAR(s.Ir * s.Ir * s.R / 2, 57.99, 0.005);
}

TEST(ComputeDesign, ChokeFactorIsRoundedHalfToEven) {
  DesignState two;
  ComputeDesign(two, {"50", "4", "4", "0", "28", "2.5"});
  EXPECT_EQ(two.N, 2);
  DesignState twenty;
  ComputeDesign(twenty, Defaults());
  EXPECT_NEAR(two.L1 * 10, twenty.L1, 1e-18);
  DesignState zero;
  ComputeDesign(zero, {"50", "4", "4", "0", "28", "0"});
  EXPECT_EQ(zero.L1, 0);
}

TEST(ComputeDesign, NegativeInputsFlowThroughWithoutFault) {
  DesignState s;
  EXPECT_NO_THROW(ComputeDesign(s, {"-50", "4", "4", "0", "28", "-3"}));
  EXPECT_LT(s.R, 0);
  EXPECT_LT(s.L2, 0);
  EXPECT_NO_THROW(ComputeDesign(s, {"50", "4", "1", "0", "28", "20"}));
  EXPECT_LT(s.C2, 0);  // Q below 1.152
}

TEST(ComputeDesign, FaultsStopAtTheirStepKeepingWhatWasStored) {
  const std::tuple<DesignTexts, FaultKind, const char*> cases[] = {
      {{"0", "4", "4", "0", "28", "20"}, FaultKind::DivisionByZero, "R"},
      {{"50", "0", "4", "0", "28", "20"}, FaultKind::DivisionByZero, "L1"},
      {{"50", "4", "4", "28", "28", "20"}, FaultKind::DivisionByZero, "C1"},
      {{"50", "4", "0", "0", "28", "20"}, FaultKind::DivisionByZero, "C0"},
      {{"0", "4", "4", "28", "28", "20"}, FaultKind::InvalidOperation, "R"},
      // (π² + 4) × Po overflows although Po itself is a double.
      {{"1E308", "4", "4", "0", "28", "20"}, FaultKind::Overflow, "R"},
      {{"1E999", "4", "4", "0", "28", "20"}, FaultKind::Overflow, "Po"},
      {{"50", "1E303", "4", "0", "28", "20"}, FaultKind::Overflow, "f"},
      {{"50", "4", "4", "0", "28", "3E9"}, FaultKind::Overflow, "N"},
      {{"50", "4", "4", "0", "1E200", "20"}, FaultKind::Overflow, "R"}};
  for (const auto& [texts, kind, quantity] : cases) {
    DesignState s;
    ComputeDesign(s, Defaults());
    const DesignState before = s;
    try {
      ComputeDesign(s, texts);
      ADD_FAILURE() << "no fault in " << quantity;
    } catch (const ArithmeticFault& fault) {
      EXPECT_EQ(fault.kind(), kind) << quantity;
      EXPECT_EQ(fault.quantity(), quantity);
    }
    // The faulting quantity and everything after it keep the earlier design.
    EXPECT_EQ(s.IDC, before.IDC);
    EXPECT_TRUE(std::isfinite(s.R) && std::isfinite(s.C1) && std::isfinite(s.L2));
  }
}

TEST(ComputeDesign, PoZeroStopsAtRWithTheInputsAndOmegaStored) {
  DesignState s;
  ComputeDesign(s, Defaults());
  const double oldR = s.R;
  EXPECT_THROW(ComputeDesign(s, {"0", "8", "4", "0", "28", "20"}), ArithmeticFault);
  EXPECT_EQ(s.Po, 0);
  EXPECT_EQ(s.f, 8e6);
  EXPECT_EQ(s.omega, 8e6 * 6.28318530717958);
  EXPECT_EQ(s.R, oldR);
}

}  // namespace
}  // namespace classe
