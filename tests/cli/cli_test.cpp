// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "actions/form1_controls.h"
#include "cli/report.h"
#include "tests/cli/cli_run.h"

namespace classe::cli {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::Slurp;

TEST(CommandLine, ComputesTheDefaultDesign) {
  const CliRun run = Cli("componenti");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "R\t9.044E+00\t[Ω]\nL1\t3.92E+01\t[µH]\nC1\t8.077E+02\t[pF]\nC2\t1.545E+03\t[pF]\n"
            "L2\t1.439 E+00\t[µH]\nIDC\t1.786E+00\t[A]\n");
  EXPECT_EQ(run.err, "");
}

TEST(CommandLine, JsonKeysNameTheWindowOfEachControl) {
  const std::string out = Cli("--json verifica").out;
  EXPECT_EQ(out.rfind("{\n  \"action\": \"verifica\",\n", 0), 0u);  // two-space indents
  const auto json = nlohmann::json::parse(out);
  EXPECT_EQ(json["messages"], nlohmann::json::array());
  EXPECT_TRUE(json["fault"].is_null());
  // Label1 is L1 in the final circuit, and a title in the graph window.
  EXPECT_EQ(json["labels"]["Form3.Label1"], "3.92E+01");
  EXPECT_EQ(json["labels"]["Form3.Label23"], "5.002E+01");
  EXPECT_EQ(json["visible"]["Form3"], true);
  EXPECT_EQ(json["visible"]["Form3.Picture1"], true);
  EXPECT_EQ(json["state"]["Po"], 50);
  EXPECT_EQ(json["state"]["N"], 20);
  EXPECT_NEAR(json["state"]["R"].get<double>(), 9.044238, 1e-6);
}

TEST(CommandLine, ExitStatusTellsHowTheActionEnded) {
  const CliRun rejected = Cli("componenti 'Po='");
  EXPECT_EQ(rejected.status, 2);
  EXPECT_EQ(rejected.out, "");
  EXPECT_EQ(rejected.err, "Hai dimenticato di scrivere la potenza di uscita Po\n");

  const CliRun fault = Cli("componenti Po=0");
  EXPECT_EQ(fault.status, 1);
  EXPECT_EQ(fault.err, "Errore di calcolo: divisione per zero nel calcolo di R.\n");

  const auto refused = nlohmann::json::parse(Cli("--json picchi M=-5").out);
  EXPECT_EQ(refused["fault"].get<std::string>().rfind("Il numero di campioni M", 0), 0u);

  // An unknown action is a usage error, never a run of some other action.
  const CliRun unknown = Cli("nonsense");
  EXPECT_EQ(unknown.status, 64);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err.rfind("classe-e-cli: azione sconosciuta: nonsense", 0), 0u);
  EXPECT_EQ(Cli("componenti Z=3").status, 64);
  EXPECT_EQ(Cli("").status, 64);
  EXPECT_EQ(Cli("--help").status, 0);
  const CliRun version = Cli("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "classe-e-cli " CLASSE_VERSION "\n");
}

TEST(CommandLine, FieldsAreTheTextsAUserWouldType) {
  // The band message comes first, then the values; the final circuit reads LF.
  const CliRun net = Cli("rete RL=9");
  EXPECT_EQ(net.out.find("RL differisce da R per meno del 5%"), 0u);
  const CliRun circuit = Cli("verifica RL=50");
  EXPECT_NE(circuit.out.find("LF\t2.205 E+00\t[µH]\n"), std::string::npos);
  EXPECT_NE(circuit.out.find("tg(psi) ver.\t1.152E+00\n"), std::string::npos);
  EXPECT_NE(circuit.out.find("Po ver.\t5.002E+01\t[W]\n"), std::string::npos);
}

TEST(CommandLine, SamplesAsCsv) {
  const CliRun run = Cli("campioni M=4");
  EXPECT_EQ(run.status, 0);
  std::istringstream lines(run.out);
  std::string line;
  std::getline(lines, line);
  EXPECT_EQ(line, "i,teta,Vc1,Isw,Ic1,Ir");
  int rows = 0;
  while (std::getline(lines, line))
    ++rows;
  EXPECT_EQ(rows, 5);
  EXPECT_NE(run.out.find("\n4,12.56637061435916,0,"), std::string::npos) << run.out;
}

TEST(CommandLine, TheRealCircuitInTheWindowsPatterns) {
  const CliRun simula = Cli("simula");
  EXPECT_EQ(simula.status, 0);
  for (const char* line : {"Po ideale\t5.677E+01\t[W]\n", "Vacc/Vpicco ideale\t2.33\t[%]\n",
                           "Vpicco ideale\t1.139E+02\t[V]\n"})
    EXPECT_NE(simula.out.find(line), std::string::npos) << line;
  EXPECT_EQ(simula.out.find("esatto"), std::string::npos);
  EXPECT_EQ(simula.out.find("rete"), std::string::npos);  // no network, no rows

  const CliRun exact = Cli("esatto rete=si");
  for (const char* line : {"R esatto\t8.591E+00\t[Ω]\n", "L rete esatto\t7.505E-01\t[µH]\n",
                           "Po esatto\t5.000E+01\t[W]\n"})
    EXPECT_NE(exact.out.find(line), std::string::npos) << line;

  const auto json = nlohmann::json::parse(Cli("--json esatto").out);
  EXPECT_NEAR(json["design"]["R"].get<double>(), 8.030, 0.0005);
  EXPECT_NEAR(json["design"]["C1"].get<double>(), 1090e-12, 0.5e-12);
  EXPECT_FALSE(json["design"].contains("L"));
  EXPECT_NEAR(json["circuit"]["Po"].get<double>(), 50, 5e-6);
  EXPECT_LT(std::fabs(json["circuit"]["von_fraction"].get<double>()), 1e-4);
  EXPECT_GT(json["circuit"]["efficiency"].get<double>(), 0.999);
  for (const char* part : {"L1", "C1", "C2", "L2", "load", "switch"})
    EXPECT_GT(json["circuit"]["ratings"][part]["V"].get<double>(), 0) << part;
  EXPECT_LT(json["circuit"]["harmonics_dBc"]["2"].get<double>(), -10);
  EXPECT_GT(json["iterations"].get<int>(), 0);
  EXPECT_FALSE(nlohmann::json::parse(Cli("--json simula").out).contains("iterations"));
}

TEST(CommandLine, TheDeckOfTheChosenDesign) {
  const CliRun exact = Cli("spice");
  EXPECT_EQ(exact.status, 0);
  EXPECT_NE(exact.out.find("Rload out 0 8.03"), std::string::npos);
  for (const char* measure : {".meas tran po ", ".meas tran pdc ", ".meas tran eff ",
                              ".meas tran vpk ", ".meas tran von "})
    EXPECT_NE(exact.out.find(measure), std::string::npos) << measure;
  EXPECT_NE(Cli("spice progetto=ideale").out.find("Rload out 0 9.04"), std::string::npos);
  // ngspice's switch needs a resistance.
  const CliRun ideal = Cli("spice Ron=0");
  EXPECT_EQ(ideal.status, 1);
  EXPECT_EQ(ideal.out, "");
}

TEST(CommandLine, TheRealCircuitsFieldsAndFailures) {
  EXPECT_EQ(Cli("esatto Q=1.7").status, 1);  // no exact design below Q ≈ 1.79
  const CliRun rejected = Cli("simula Ron=abc");
  EXPECT_EQ(rejected.status, 2);
  EXPECT_EQ(rejected.err.rfind("Errore di inserimento dati per Ron.", 0), 0u);
  EXPECT_EQ(Cli("simula QU=").status, 0);  // empty: lossless
  EXPECT_EQ(Cli("simula rete=forse").status, 64);
  // A dash and a letter is an option, a lone dash an action name.
  EXPECT_EQ(Cli("-x").err.rfind("classe-e-cli: opzione sconosciuta: -x", 0), 0u);
  EXPECT_EQ(Cli("-").err.rfind("classe-e-cli: azione sconosciuta: -", 0), 0u);
  EXPECT_EQ(Cli("spice progetto=altro").status, 64);
}

// The transistor's fields, its curve file and the limits when no design exists.
// The maxima stay 0 until the peaks are taken.
TEST(CommandLine, StateBeforeThePeaks) {
  const std::string out = Cli("--json componenti").out;
  for (const char* key :
       {"\"Vc1max\": 0.0", "\"Iswmax\": 0.0", "\"Ic1max\": 0.0", "\"Irmax\": 0.0"})
    EXPECT_NE(out.find(key), std::string::npos) << key;
}

TEST(CommandLine, TheTransistor) {
  const CliRun junction = Cli("--json esatto Coss=500 m=0.75 BVdss=200");
  EXPECT_EQ(junction.status, 0) << junction.err;
  EXPECT_NE(junction.out.find("\"Cext\": 5.63"), std::string::npos) << junction.out;
  const CliRun none = Cli("--json esatto f=5 Coss=1000");
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.out.find("\"fmax\": 470"), std::string::npos) << none.out;
  EXPECT_NE(none.out.find("\"Vcc_max\": 26.8"), std::string::npos) << none.out;
  EXPECT_EQ(Cli("esatto m=x").status, 2);
  const std::string dir = ::testing::TempDir();
  std::ofstream(dir + "good.csv") << "Vds,Coss\n0,2000\n10,800\n25,500\n100,250\n";
  std::ofstream(dir + "bad.csv") << "0,2000\n10,800\n5,500\n";
  const CliRun curve = Cli("esatto curva=" + dir + "good.csv");
  EXPECT_EQ(curve.status, 0) << curve.err;
  EXPECT_NE(curve.out.find("Po esatto\t5.000E+01"), std::string::npos);
  const CliRun bad = Cli("esatto curva=" + dir + "bad.csv");
  EXPECT_EQ(bad.status, 65);
  EXPECT_NE(bad.err.find("Riga 3: la tensione Vds deve crescere"), std::string::npos) << bad.err;
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(Cli("esatto curva=" + dir + "missing.csv").status, 65);
  // The deck of a junction is a diode; a curve's, a capacitor given by its
  // charge beside a diode without one.
  EXPECT_NE(Cli("spice Coss=500").out.find(".model dcoss D("), std::string::npos);
  const CliRun deck = Cli("spice curva=" + dir + "good.csv");
  EXPECT_EQ(deck.status, 0) << deck.err;
  EXPECT_NE(deck.out.find("Ccoss dj 0 Q='pwl(V(dj)"), std::string::npos);
  EXPECT_EQ(deck.out.find("CJO"), std::string::npos);
}

TEST(JsonReport, EscapesEveryTextItCarries) {
  Session session;
  const std::string odd = "say \"50\" \\ done\n\ttab \x01 end";
  session.ui.message(odd);
  session.ui.setCaption(form1::Label11, odd);
  std::ostringstream out;
  PrintJsonReport(out, {"componenti", Outcome::Done, session});
  const auto json = nlohmann::json::parse(out.str());
  EXPECT_EQ(json["messages"][0], odd);
  EXPECT_EQ(json["labels"]["Form1.Label11"], odd);
  EXPECT_NE(out.str().find("\\\"50\\\" \\\\ done\\n\\ttab \\u0001 end"), std::string::npos);
}

}  // namespace
}  // namespace classe::cli
