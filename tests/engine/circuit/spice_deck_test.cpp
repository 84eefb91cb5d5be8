// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

#include "engine/circuit/spice_deck.h"
#include "engine/circuit/steady_state.h"
#include "tests/engine/circuit/support.h"

namespace classe::circuit {
namespace {

using testing::Ideal;
using testing::IdealStage;
using testing::Options;

// The value after `key` on the deck's line that starts with `start`.
double After(const std::string& deck, const std::string& start, const std::string& key) {
  const std::size_t line = deck.find("\n" + start);
  EXPECT_NE(line, std::string::npos) << start;
  const std::size_t at = deck.find(key, line);
  return std::strtod(deck.c_str() + at + key.size(), nullptr);
}

TEST(SpiceDeck, CarriesTheStageExactly) {
  const Stage stage = IdealStage(Ideal("4", "20", "0.7"), Options(5.0, 0.02, 80.0));
  const SpiceDeck deck = WriteSpiceDeck(stage).value();
  // Seventeen digits read back to the same doubles.
  EXPECT_EQ(After(deck.text, "C1 ", "C1 drain 0 "), stage.C1);
  EXPECT_EQ(After(deck.text, "Vonsw ", "DC "), stage.Von);
  EXPECT_EQ(After(deck.text, ".model", "ron="), stage.Ron);
  EXPECT_EQ(After(deck.text, "R2 ", "branch_2 "), stage.Esr(stage.L2));
  EXPECT_EQ(After(deck.text, "Cn ", "mid 0 "), stage.load.C);
  for (const char* name : {"po", "pdc", "eff", "vpk", "von"})
    EXPECT_NE(deck.text.find(std::string(".meas tran ") + name + " "), std::string::npos);
}

// The windows run under the user's locale, where printf writes a decimal
// comma; ngspice reads only the point.
TEST(SpiceDeck, WritesThePointWhateverTheLocale) {
  const Stage stage = IdealStage(Ideal("4", "20", "0.7"), Options(5.0, 0.02, 80.0));
  const std::string plain = WriteSpiceDeck(stage).value().text;
  // scripts/setup installs it_IT.UTF-8.
  ASSERT_NE(std::setlocale(LC_ALL, "it_IT.UTF-8"), nullptr) << "it_IT.UTF-8 is not installed";
  const std::string italian = WriteSpiceDeck(stage).value().text;
  std::setlocale(LC_ALL, "C");
  EXPECT_EQ(italian, plain);
}

// The run must outlast the start-up: ρ^periods at most the tolerance.
TEST(SpiceDeck, LengthFollowsTheSlowestMode) {
  for (const char* N : {"5", "20", "100"}) {
    SCOPED_TRACE(N);
    const Stage stage = IdealStage(Ideal("4", N));
    const double rho = SolveSteadyState(stage).value().rho;
    const SpiceDeck deck = WriteSpiceDeck(stage).value();
    EXPECT_FALSE(deck.capped);
    EXPECT_LE(std::pow(rho, deck.periods - 5), 1e-5);
    EXPECT_GT(std::pow(rho, deck.periods - 6), 1e-5);
    const double T = 2 * M_PI / stage.omega;
    EXPECT_NEAR(After(deck.text, ".tran", " ") * 1000, T, 1e-9 * T);
    // The measures average over the last period alone.
    const double from = After(deck.text, ".meas tran po ", "FROM=");
    EXPECT_NEAR(from, (deck.periods - 1) * T, 1e-9 * from);
    EXPECT_NEAR(After(deck.text, ".meas tran po ", "TO=") - from, T, 1e-6 * T);
  }
  // A choke of 5000·X(C1) would take ~30 000 periods: capped, and said so.
  const SpiceDeck huge = WriteSpiceDeck(IdealStage(Ideal("4", "5000"))).value();
  EXPECT_TRUE(huge.capped);
  EXPECT_EQ(huge.periods, 2000);
  EXPECT_NE(huge.text.find("capped"), std::string::npos);
}

TEST(SpiceDeck, NeedsASwitchResistance) {
  const Result<SpiceDeck> deck = WriteSpiceDeck(IdealStage(Ideal(), Options(std::nullopt, 0)));
  ASSERT_FALSE(deck.ok());
  EXPECT_EQ(deck.failure().kind, FailureKind::SwitchNeedsResistance);
}

}  // namespace
}  // namespace classe::circuit
