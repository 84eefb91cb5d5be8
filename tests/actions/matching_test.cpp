// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

#include "actions/compute_action.h"
#include "actions/matching_action.h"
#include "engine/design/complex_arithmetic.h"
#include "engine/design/fault.h"
#include "engine/design/matching_network.h"
#include "tests/known_messages.h"
#include "tests/support.h"

namespace classe {
namespace {

using namespace testing;

const std::string kBandMessage(kBandMessages[0]);

// Shortest text that reads back as exactly this double.
std::string Exact(double value) {
  char buffer[32];
  return std::string(buffer, std::to_chars(buffer, buffer + 32, value).ptr);
}

// Computes the default design, then presses the matching button with RL.
struct Matched {
  RecordingControls ui = Fields();
  DesignState s;
  Outcome outcome;

  explicit Matched(const std::string& RL) {
    ComputeComponents(s, ui);
    ui.clearMessages();
    ui.setText(form1::Text7, RL);
    outcome = ShowMatchingNetwork(s, ui);
  }
  bool visible(Control picture) { return *ui.visible(picture); }
  std::string caption(Control label) { return Caption(ui, label); }
};

TEST(MatchingNetwork, DefaultLoadAboveR) {
  const MatchingNetwork net = ComputeMatchingNetwork(9.044237771493162, 50, 25132741.22871832);
  EXPECT_EQ(net.topology, NetworkKind::ShuntCAtLoad);
  EXPECT_NEAR(net.C, 1693.4e-12, 0.05e-12);
  EXPECT_NEAR(net.L, 0.76578e-6, 0.000005e-6);
}

TEST(MatchingNetwork, LoadBelowR) {
  const MatchingNetwork net = ComputeMatchingNetwork(9.044237771493162, 5, 25132741.22871832);
  EXPECT_EQ(net.topology, NetworkKind::ShuntCAtInput);
  EXPECT_NEAR(net.C, 3956.6e-12, 0.05e-12);
  EXPECT_NEAR(net.L, 0.17892e-6, 0.000005e-6);
}

TEST(MatchingNetwork, ImpossibleLoadsAreFaults) {
  // RL = 0: XC = 0, then C divides by zero; a negative RL takes a square root of it.
  EXPECT_THROW(ComputeMatchingNetwork(9, 0, 1e7), ArithmeticFault);
  try {
    ComputeMatchingNetwork(9, -1, 1e7);
    FAIL();
  } catch (const ArithmeticFault& f) {
    EXPECT_EQ(f.kind(), FaultKind::InvalidOperation);
  }
}

TEST(BandTest, IsStrictAtFivePercent) {
  const double R = 9.044237771493162;
  // RL/R − 1 steps by 2^-52 and never equals the double 0.05: the first RL at
  // or past it is outside the band, the one before it inside.
  EXPECT_FALSE(WithinBand(R, R * 1.05));
  double edge = R * 1.05;
  while (std::nextafter(edge, 0.0) / R - 1 >= 0.05)
    edge = std::nextafter(edge, 0.0);
  EXPECT_FALSE(WithinBand(R, edge));
  EXPECT_TRUE(WithinBand(R, std::nextafter(edge, 0.0)));
  EXPECT_FALSE(WithinBand(R, R * 0.95));
  EXPECT_EQ(ClassifyLoad(R, 9), NetworkKind::NoNetwork);
  EXPECT_EQ(ClassifyLoad(R, 9.5), NetworkKind::ShuntCAtLoad);
  EXPECT_EQ(ClassifyLoad(R, 8.5), NetworkKind::ShuntCAtInput);
  EXPECT_THROW(WithinBand(0, 50), ArithmeticFault);
}

TEST(MatchingAction, DefaultLoadShowsImage2AndItsValues) {
  Matched m("50");
  EXPECT_EQ(m.outcome, Outcome::Done);
  EXPECT_TRUE(m.ui.messages().empty());
  EXPECT_TRUE(m.visible(form1::Image2));
  EXPECT_FALSE(m.visible(form1::Image3));
  EXPECT_EQ(m.caption(form1::Label29), "7.658E-01");
  EXPECT_EQ(m.caption(form1::Label30), "1.693E+03");
}

TEST(MatchingAction, LoadBelowRShowsImage3) {
  Matched m("5");
  EXPECT_FALSE(m.visible(form1::Image2));
  EXPECT_TRUE(m.visible(form1::Image3));
  EXPECT_EQ(m.caption(form1::Label29), "1.789E-01");
  EXPECT_EQ(m.caption(form1::Label30), "3.957E+03");
}

TEST(MatchingAction, WithinTheBandTheMessageComesBeforeTheNetwork) {
  const double R = 9.044237771493162;
  for (const double factor : {1.03, 0.97}) {
    Matched m(Exact(R * factor));
    EXPECT_EQ(Messages(m.ui), std::vector<std::string>{kBandMessage});
    EXPECT_EQ(m.visible(form1::Image2), factor > 1);
    EXPECT_EQ(m.visible(form1::Image3), factor < 1);
    EXPECT_NE(m.caption(form1::Label29), "<unwritten>");
  }
}

TEST(MatchingAction, ExactlyRNeedsNothingAndKeepsTheOldValues) {
  Matched m("50");
  m.ui.setText(form1::Text7, Exact(m.s.R));
  EXPECT_EQ(ShowMatchingNetwork(m.s, m.ui), Outcome::Done);
  EXPECT_EQ(Messages(m.ui), std::vector<std::string>{kBandMessage});
  EXPECT_FALSE(m.visible(form1::Image2));
  EXPECT_FALSE(m.visible(form1::Image3));
  EXPECT_EQ(m.caption(form1::Label29), "7.658E-01");
}

TEST(MatchingAction, UsesTheROfTheLastDesignNotTheEditedFields) {
  Matched m("50");
  m.ui.setText(form1::Text5, "12");
  ShowMatchingNetwork(m.s, m.ui);
  EXPECT_EQ(m.caption(form1::Label29), "7.658E-01");
}

TEST(MatchingAction, ReadsRLWithoutACheck) {
  Matched spaced(" 50");
  EXPECT_EQ(spaced.caption(form1::Label29), "7.658E-01");
  Matched letters("abc");  // 0: a division by zero in C
  EXPECT_EQ(letters.outcome, Outcome::Fault);
  EXPECT_EQ(Messages(letters.ui),
            std::vector<std::string>{FaultMessage(FaultKind::DivisionByZero, "C")});
  // The picture chosen before the fault stays shown.
  EXPECT_TRUE(letters.visible(form1::Image3));
}

TEST(ComplexArithmetic, ProductAndQuotient) {
  ClearFpFaults();
  DesignState s;
  s.OpARe = 1;
  s.OpAIm = 2;
  s.OpBRe = 3;
  s.OpBIm = 4;
  ComplexMul(s, s.OpARe, s.OpAIm, s.OpBRe, s.OpBIm, "Z");
  EXPECT_EQ(s.ResRe, -5);
  EXPECT_EQ(s.ResIm, 10);
  ComplexDiv(s, s.OpARe, s.OpAIm, s.OpBRe, s.OpBIm, "Z");
  EXPECT_DOUBLE_EQ(s.ResRe, 0.44);
  EXPECT_DOUBLE_EQ(s.ResIm, 0.08);
}

TEST(ComplexArithmetic, ZeroDivisorIsADivisionByZero) {
  DesignState s;
  s.ResRe = 7;
  for (double tiny : {0.0, 1e-200}) {  // 1e-200 squared underflows to zero
    try {
      ComplexDiv(s, 1, 0, tiny, tiny, "Z");
      FAIL();
    } catch (const ArithmeticFault& f) {
      EXPECT_EQ(f.kind(), FaultKind::DivisionByZero);
    }
  }
  EXPECT_EQ(s.ResRe, 7);
}

}  // namespace
}  // namespace classe
