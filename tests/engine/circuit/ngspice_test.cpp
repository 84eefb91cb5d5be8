// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "engine/circuit/exact_design.h"
#include "engine/circuit/ngspice_output.h"
#include "engine/circuit/spice_deck.h"
#include "engine/circuit/steady_state.h"
#include "tests/engine/circuit/support.h"

// The ngspice executable, found when the build was configured. The check
// against it is part of the suite: without it these tests fail.
#ifndef CLASSE_NGSPICE
#error "CLASSE_NGSPICE must name the ngspice executable"
#endif

namespace classe::circuit {
namespace {

using testing::Ideal;
using testing::IdealStage;
using testing::Options;

// Runs `ngspice -b` on the deck; the measures it printed, by name.
std::map<std::string, double> RunNgspice(const std::string& deck) {
  char path[] = "/tmp/classe-e-deck-XXXXXX.cir";
  const int fd = mkstemps(path, 4);
  EXPECT_GE(fd, 0);
  if (fd < 0) return {};
  close(fd);
  std::ofstream(path) << deck;
  const std::string command = std::string(CLASSE_NGSPICE) + " -b " + path + " 2>&1";
  std::FILE* pipe = popen(command.c_str(), "r");
  std::string output;
  if (pipe) {
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
      output.append(buffer, n);
    const int status = pclose(pipe);
    EXPECT_EQ(status, 0) << output;
  }
  std::remove(path);
  const std::optional<NgspiceMeasures> read = ReadNgspiceMeasures(output);
  EXPECT_TRUE(read.has_value()) << "measures missing from:\n" << output;
  if (!read) return {};
  return {{"po", read->po},
          {"pdc", read->pdc},
          {"eff", read->eff},
          {"vpk", read->vpk},
          {"von", read->von}};
}

struct Case {
  const char* name;
  const char* Q;
  bool exact;
  std::optional<double> RL;
  const char* Von = "0";
  double Ron = 1e-3;
  std::optional<double> QU = std::nullopt;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class AgainstNgspice : public ::testing::TestWithParam<Case> {};

// Po within 0.1 % and the turn-on voltage within 0.1 % of the drain peak.
TEST_P(AgainstNgspice, SameSteadyState) {
  const Case& c = GetParam();
  const IdealDesign ideal = Ideal(c.Q, "20", c.Von);
  const StageOptions options = Options(c.RL, c.Ron, c.QU);
  const Stage stage =
      c.exact ? DesignExact(ideal, options).value().stage : IdealStage(ideal, options);
  const SteadyState s = SolveSteadyState(stage).value();
  const std::map<std::string, double> m = RunNgspice(WriteSpiceDeck(stage).value().text);
  ASSERT_EQ(m.count("po"), 1u);
  EXPECT_NEAR(m.at("po"), s.power.load, 1e-3 * s.power.load);
  EXPECT_NEAR(m.at("pdc"), s.power.dc, 1e-3 * s.power.dc);
  EXPECT_NEAR(m.at("eff"), s.efficiency, 1e-3);
  EXPECT_NEAR(m.at("vpk"), s.vPeak, 1e-3 * s.vPeak);
  EXPECT_NEAR((m.at("von") - stage.Von) / s.vPeak, s.vonFraction, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(
    Decks, AgainstNgspice,
    ::testing::Values(
        Case{"IdealLowQ", "2.5", false, std::nullopt},
        Case{"IdealHighQ", "20", false, std::nullopt}, Case{"IdealLowQNetwork", "2.5", false, 50.0},
        Case{"IdealHighQNetwork", "20", false, 5.0}, Case{"ExactLowQ", "2.5", true, std::nullopt},
        Case{"ExactHighQ", "20", true, std::nullopt}, Case{"ExactLowQNetwork", "2.5", true, 5.0},
        Case{"ExactHighQNetwork", "20", true, 50.0},
        // Every loss at once: Von, a larger Ron, lossy inductors.
        Case{"ExactLossy", "5", true, 20.0, "1", 0.05, 150.0}),
    [](const ::testing::TestParamInfo<Case>& row) { return std::string(row.param.name); });

// The exact design with a transistor's junction Coss and body diode in the
// loop lands in ngspice, which runs the same junction as a SPICE diode.
struct TransistorCase {
  const char* name;
  const char* Q;
  double m;
  double Cref;
  std::optional<double> RL = std::nullopt;
  double Ron = 1e-3;
};

void PrintTo(const TransistorCase& c, std::ostream* os) {
  *os << c.name;
}

class TransistorAgainstNgspice : public ::testing::TestWithParam<TransistorCase> {};

TEST_P(TransistorAgainstNgspice, ExactDesignLands) {
  const TransistorCase& c = GetParam();
  StageOptions options = Options(c.RL, c.Ron);
  options.transistor = Transistor{
      std::get<transistor::Junction>(transistor::Junction::Make(c.Cref, 25, c.m, 0.7)), 25, {}};
  const ExactDesign d = DesignExact(Ideal(c.Q), options).value();
  const std::map<std::string, double> m = RunNgspice(WriteSpiceDeck(d.stage).value().text);
  ASSERT_EQ(m.count("po"), 1u);
  const SteadyState& s = d.steady;
  EXPECT_NEAR(m.at("po"), s.power.load, 1e-3 * s.power.load);
  EXPECT_NEAR(m.at("eff"), s.efficiency, 1e-3);
  EXPECT_NEAR(m.at("vpk"), s.vPeak, 1e-3 * s.vPeak);
  EXPECT_NEAR(m.at("von") / s.vPeak, s.vonFraction, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(Decks, TransistorAgainstNgspice,
                         ::testing::Values(TransistorCase{"Q3Steep", "3", 0.75, 500e-12},
                                           TransistorCase{"Q4Graded", "4", 0.33, 500e-12},
                                           TransistorCase{"Q10Network", "10", 0.5, 400e-12, 5.0},
                                           TransistorCase{"Q20Steep", "20", 0.75, 300e-12, 50.0},
                                           TransistorCase{"Q4Ron", "4", 0.5, 300e-12, std::nullopt,
                                                          0.1}),
                         [](const ::testing::TestParamInfo<TransistorCase>& row) {
                           return std::string(row.param.name);
                         });

// A datasheet's curve lands too: ngspice runs it as a capacitor given by its
// charge table, with the body diode beside it.
TEST(CurveAgainstNgspice, ExactDesignLands) {
  for (const auto& [Q, RL] :
       {std::pair{"4", std::optional<double>()}, std::pair{"10", std::optional(5.0)}}) {
    auto read = transistor::ReadCossCurve("Vds,Coss\n0,1200\n5,600\n25,300\n60,200\n150,140\n");
    StageOptions options = Options(RL, 1e-3);
    options.transistor = Transistor{std::get<transistor::CossCurve>(std::move(read)), 25, {}};
    const ExactDesign d = DesignExact(Ideal(Q), options).value();
    const std::string deck = WriteSpiceDeck(d.stage).value().text;
    EXPECT_NE(deck.find("Ccoss dj 0 Q='pwl(V(dj)"), std::string::npos);
    const std::map<std::string, double> m = RunNgspice(deck);
    ASSERT_EQ(m.count("po"), 1u) << Q;
    const SteadyState& s = d.steady;
    EXPECT_NEAR(m.at("po"), s.power.load, 1e-3 * s.power.load) << Q;
    EXPECT_NEAR(m.at("vpk"), s.vPeak, 1e-3 * s.vPeak) << Q;
    EXPECT_NEAR(m.at("von") / s.vPeak, s.vonFraction, 1e-3) << Q;
  }
}

}  // namespace
}  // namespace classe::circuit
