// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/cli_run.h"

namespace classe::cli {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::Lines;
using testing::Slurp;

TEST(ToleranceCli, JsonHasPercentilesAndYields) {
  const CliRun run = Cli("--json tolleranze Ron=0.1 prove=400");
  ASSERT_EQ(run.status, 0) << run.err;
  const auto json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["action"], "tolleranze");
  EXPECT_EQ(json["builds"], 400);
  EXPECT_EQ(json["partial"], false);
  for (const char* q : {"Po", "efficiency", "Vpeak", "Iswitch_peak", "von_fraction"})
    for (const char* p : {"p5", "p50", "p95", "min", "max"})
      EXPECT_TRUE(json["percentiles"][q][p].is_number()) << q << ' ' << p;
  for (const char* y : {"Po", "von", "all"})
    EXPECT_TRUE(json["yield"][y].is_number()) << y;
  EXPECT_TRUE(json["yield"]["Vpeak"].is_null());  // no rating given
  // The Q 4 design at ±5 %: about half the builds within ±10 % of Po.
  EXPECT_NEAR(json["yield"]["Po"].get<double>(), 0.5, 0.08);
  EXPECT_NEAR(json["nominal"]["Po"].get<double>(), 50, 0.05);
  const auto& po = json["percentiles"]["Po"];
  EXPECT_LT(po["min"].get<double>(), po["p5"].get<double>());
  EXPECT_LT(po["p95"].get<double>(), po["max"].get<double>());
}

// With the parts' fields the builds are of the parts bought and retuned once,
// as `parti` gives them: the nominal Po is the retuned stage's, not 50 W.
TEST(ToleranceCli, PartsFieldsBuildThePartsBought) {
  const std::string fields = " Ron=0.1 rete=no serieC=E12";
  const auto parts = nlohmann::json::parse(Cli("--json parti" + fields).out);
  const double retunedPo = parts["retune"]["Po"].get<double>();
  ASSERT_GT(std::abs(retunedPo / 50 - 1), 0.02);  // E12 misses Po at Q 4
  const auto bought =
      nlohmann::json::parse(Cli("--json tolleranze prove=50 tolC=0 tolL=0" + fields).out);
  EXPECT_NEAR(bought["nominal"]["Po"].get<double>() / retunedPo, 1, 1e-6);
  // No tolerance: every build is the nominal one.
  EXPECT_NEAR(bought["percentiles"]["Po"]["max"].get<double>() / retunedPo, 1, 1e-6);
  const auto exact =
      nlohmann::json::parse(Cli("--json tolleranze prove=50 tolC=0 tolL=0 Ron=0.1 rete=no").out);
  EXPECT_NEAR(exact["nominal"]["Po"].get<double>(), 50, 0.05);
}

TEST(ToleranceCli, SameSeedSameOutputOnOneAndTwoThreads) {
  const CliRun one = Cli("tolleranze Ron=0.1 Q=10 prove=300 seme=7 thread=1");
  const CliRun two = Cli("tolleranze Ron=0.1 Q=10 prove=300 seme=7 thread=2");
  ASSERT_EQ(one.status, 0) << one.err;
  EXPECT_EQ(one.out, two.out);
  EXPECT_NE(one.out, Cli("tolleranze Ron=0.1 Q=10 prove=300 seme=8").out);
  EXPECT_NE(one.out.find("Po entro ±10 %:"), std::string::npos);
}

TEST(ToleranceCli, RetunedBuildsAreAllInBand) {
  const CliRun run = Cli("--json tolleranze Ron=0.1 Q=10 prove=200 ritaratura=si");
  ASSERT_EQ(run.status, 0) << run.err;
  const auto json = nlohmann::json::parse(run.out);
  EXPECT_GE(json["yield"]["Po"].get<double>(), 0.99);
  EXPECT_GE(json["yield"]["von"].get<double>(), 0.99);
}

TEST(ToleranceCli, RatingCountsWhenGiven) {
  const auto json =
      nlohmann::json::parse(Cli("--json tolleranze Ron=0.1 prove=200 Coss=100 BVdss=101").out);
  ASSERT_TRUE(json["yield"]["Vpeak"].is_number());
  const double below = json["yield"]["Vpeak"].get<double>();
  EXPECT_GT(below, 0);
  EXPECT_LT(below, 1);
  EXPECT_LE(json["yield"]["all"].get<double>(), below);
}

TEST(ToleranceCli, CsvHasOneRowABuild) {
  const std::string path =
      ::testing::TempDir() + "classe-builds-" + std::to_string(getpid()) + ".csv";
  const CliRun run = Cli("tolleranze prove=25 csv=" + path);
  ASSERT_EQ(run.status, 0) << run.err;
  const auto lines = Lines(Slurp(path));
  ASSERT_EQ(lines.size(), 26u);
  EXPECT_EQ(lines[0],
            "build,Cext,Coss,C2,L1,L2,L,C,load,Ron,L2_tuned,load_tuned,solved,Po,efficiency,Vpeak,"
            "Iswitch_peak,von_fraction,Po_ok,von_ok,Vpeak_ok,all_ok");
  EXPECT_EQ(lines[1].rfind("0,", 0), 0u);
  EXPECT_EQ(lines[25].rfind("24,", 0), 0u);
  // No directory of that name: a message, and no file.
  const CliRun refused = Cli("tolleranze prove=5 csv=/nonexistent-dir/b.csv");
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.err.find("non si può scrivere"), std::string::npos);
  std::remove(path.c_str());
}

TEST(ToleranceCli, BadFieldsAreRefusedAndNothingIsWritten) {
  const std::string path = ::testing::TempDir() + "classe-bad-" + std::to_string(getpid()) + ".csv";
  const struct {
    const char* args;
    const char* message;
  } cases[] = {
      {"tolC=-1", "La tolleranza dei condensatori deve essere di almeno 0 % e minore di 100 %.\n"},
      {"tolL=100", "La tolleranza delle induttanze deve essere di almeno 0 % e minore di 100 %.\n"},
      {"tolR=abc",
       "Errore di inserimento dati per la tolleranza del carico [%]: scrivi un numero con il punto "
       "come separatore decimale, anche in forma esponenziale. Ad es: 1.23 , 1E-5 , 5E3\n"},
      {"prove=0", "Il numero di prove deve essere compreso tra 1 e 1000000.\n"},
      {"prove=1000001", "Il numero di prove deve essere compreso tra 1 e 1000000.\n"},
      {"prove=2.5",
       "Errore di inserimento dati per il numero di prove: scrivi un numero intero senza segno. Ad "
       "es: 2000\n"},
      {"banda=0", "La banda di Po deve essere un numero positivo.\n"},
      {"thread=0",
       "Errore di inserimento dati per il numero di thread: scrivi un numero intero tra 1 e 256, "
       "o non darlo per usarli tutti.\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const CliRun run = Cli(std::string("tolleranze csv=") + path + " " + c.args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.err, c.message);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(std::filesystem::exists(path));
  }
  const CliRun choice = Cli("tolleranze distribuzione=gaussiana");
  EXPECT_EQ(choice.status, 64);
  EXPECT_NE(choice.err.find("distribuzione=uniforme|normale"), std::string::npos);
}

TEST(SweepCli, LoadSweepIsCsvFromDaToA) {
  const CliRun run = Cli("scansione Ron=0.1 punti=5 da=0.5 a=1.5");
  ASSERT_EQ(run.status, 0) << run.err;
  const auto lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "x,Po,efficiency,Vpeak,Iswitch_peak,von_fraction");
  EXPECT_EQ(lines[1].rfind("0.5,", 0), 0u);
  EXPECT_EQ(lines[3].rfind("1,5", 0), 0u);  // the design point: Po 50 W
  EXPECT_EQ(lines[5].rfind("1.5,", 0), 0u);
  // A load 25 % high at Q 4: Po near 46 W, a sixth of the peak left at turn-on.
  const auto high = Lines(Cli("scansione Ron=0.1 punti=2 da=1.25 a=1.25").out);
  ASSERT_EQ(high.size(), 3u);
  std::istringstream row(high[1]);
  std::vector<double> v;
  for (std::string cell; std::getline(row, cell, ',');)
    v.push_back(std::stod(cell));
  EXPECT_NEAR(v[1], 46, 1);
  EXPECT_NEAR(v[5], 0.17, 0.02);
}

TEST(SweepCli, FrequencyInMegahertzAndJson) {
  const auto json =
      nlohmann::json::parse(Cli("--json scansione Ron=0.1 variabile=f da=3.6 a=4.4 punti=3").out);
  EXPECT_EQ(json["variable"], "f");
  EXPECT_NEAR(json["design_x"].get<double>(), 4e6, 1);
  ASSERT_EQ(json["points"].size(), 3u);
  EXPECT_NEAR(json["points"][0]["x"].get<double>(), 3.6e6, 1e-3);
  EXPECT_NEAR(json["points"][1]["Po"].get<double>(), 50, 0.05);
}

TEST(SweepCli, RangesThatLeaveTheDomainAreRefused) {
  EXPECT_EQ(Cli("scansione da=-0.5").status, 2);
  EXPECT_EQ(Cli("scansione variabile=Vcc da=0 a=30").status, 2);
  EXPECT_EQ(Cli("scansione variabile=f da=-1 a=4").status, 2);
  EXPECT_EQ(Cli("scansione punti=1").status, 2);
  const CliRun reactance = Cli("scansione variabile=X da=-0.5 a=0.5 rete=si RL=50");
  EXPECT_EQ(reactance.status, 1);
  EXPECT_NE(reactance.err.find("senza rete di adattamento"), std::string::npos);
  EXPECT_EQ(reactance.out, "");
  EXPECT_EQ(Cli("scansione variabile=X da=-0.5 a=0.5 punti=3").status, 0);
}

}  // namespace
}  // namespace classe::cli
