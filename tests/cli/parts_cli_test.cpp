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

#include "engine/circuit/ngspice_output.h"
#include "engine/parts/standard_series.h"
#include "tests/cli/cli_run.h"

namespace classe::cli {
namespace {

using testing::Cli;
using testing::CliRun;
using testing::Slurp;
using Json = nlohmann::json;

Json Parts(const std::string& fields) {
  const CliRun run = Cli("--json parti " + fields);
  EXPECT_EQ(run.status, 0) << run.err;
  return Json::parse(run.out);
}

std::vector<std::vector<std::string>> CsvRows(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> cells;
    std::istringstream fields(line);
    for (std::string cell; std::getline(fields, cell, ',');)
      cells.push_back(cell);
    if (!line.empty() && line.back() == ',') cells.emplace_back();
    rows.push_back(cells);
  }
  return rows;
}

TEST(PartsCli, BuysRetunesAndRanksTheParts) {
  const Json j = Parts("Q=10 serieC=E24");
  std::vector<std::string> refs;
  for (const Json& p : j["parts"])
    refs.push_back(p["ref"]);
  EXPECT_EQ(refs, (std::vector<std::string>{"C1", "C2", "L1", "L2"}));
  for (const Json& p : j["parts"]) {
    const double value = p["value"], standard = p["standard"];
    if (p["ref"] == "C1" || p["ref"] == "C2") {
      EXPECT_DOUBLE_EQ(standard, parts::Nearest(value, parts::Series::E24));
    }
    EXPECT_GE(p["rating_V"].get<double>(), 1.5 * p["Vpeak"].get<double>());
    EXPECT_LE(p["Irms"].get<double>(), p["Ipeak"].get<double>());
  }
  // The E24 capacitors of this design miss Po by 5 %; the retune brings
  // the switching back and the trim the power.
  const Json& r = j["retune"];
  EXPECT_LT(std::abs(r["von_fraction"].get<double>()), 1e-6);
  EXPECT_LT(std::abs(r["dv_dtheta_on"].get<double>()), 1e-5);
  EXPECT_TRUE(r.contains("R") && r.contains("L2") && !r.contains("C"));
  const double Po = r["Po"], trim = r["Vcc_trim"];
  EXPECT_NEAR(trim, 28 * std::sqrt(50 / Po), 1e-9 * 28);
  EXPECT_EQ(j["adjustable"], "L2");
  for (const char* ref : {"C1", "C2", "L1", "L2", "R"})
    EXPECT_TRUE(j["sensitivity"].contains(ref));

  // With the network below R the knobs are L2 and the network's L; the
  // network's parts are bought too.
  const Json net = Parts("Q=10 RL=3 rete=si serieC=E12 coppie=si");
  EXPECT_EQ(net["parts"].size(), 6u);
  EXPECT_TRUE(net["retune"].contains("L") && net["retune"].contains("C"));
  EXPECT_LT(std::abs(net["retune"]["von_fraction"].get<double>()), 1e-6);
}

TEST(PartsCli, RefusesBadChoicesWithTheirMessages) {
  const CliRun series = Cli("parti serieC=E25");
  EXPECT_EQ(series.status, 64);
  EXPECT_NE(series.err.find("serieC=continua|E6|E12|E24|E48|E96"), std::string::npos);
  EXPECT_EQ(Cli("parti coppie=forse").status, 64);
  const CliRun margin = Cli("parti margine=0.5");
  EXPECT_EQ(margin.status, 1);
  EXPECT_NE(margin.err.find("margine di tensione"), std::string::npos);
  const CliRun typed = Cli("parti margine=uno");
  EXPECT_EQ(typed.status, 2);
  EXPECT_NE(typed.err.find("Errore di inserimento dati per il margine"), std::string::npos);
}

TEST(PartsCli, BillOfMaterialsReadsBackAndAFailedWriteKeepsTheOldFile) {
  const std::string path = ::testing::TempDir() + "classe-bom-" + std::to_string(getpid()) + ".csv";
  // An Italian locale must not turn the points into commas.
  const CliRun run = Cli("parti Q=4 serieC=E12 QU=150 distinta=" + path, "LC_ALL=it_IT.UTF-8 ");
  ASSERT_EQ(run.status, 0) << run.err;
  const auto rows = CsvRows(Slurp(path));
  ASSERT_EQ(rows.size(), 5u);
  EXPECT_EQ(rows[0],
            (std::vector<std::string>{"riferimento", "valore", "serie", "tolleranza_percento",
                                      "coppia", "tensione_nominale_V", "Vpicco_V", "Irms_A",
                                      "Ipicco_A", "dissipazione_W"}));
  EXPECT_EQ(rows[1][0], "C1");
  EXPECT_TRUE(rows[1][1].ends_with(" nF") || rows[1][1].ends_with(" pF")) << rows[1][1];
  EXPECT_EQ(rows[1][2], "E12");
  EXPECT_EQ(rows[1][3], "10");
  EXPECT_EQ(rows[4][0], "L2");
  EXPECT_EQ(rows[4][2], "regolabile");
  for (std::size_t r = 1; r < rows.size(); ++r) {
    ASSERT_EQ(rows[r].size(), rows[0].size()) << r;
    for (std::size_t c = 5; c <= 8; ++c) {
      std::size_t used = 0;
      EXPECT_GT(std::stod(rows[r][c], &used), 0);
      EXPECT_EQ(used, rows[r][c].size()) << rows[r][c];
    }
  }
  EXPECT_FALSE(rows[4][9].empty());  // L2's loss with QU

  // A write the system refuses (here: no room for one byte, as on a full
  // disk) is a message; the file written before is as it was. The messages
  // go through a pipe, which the limit does not reach.
  const std::string before = Slurp(path);
  const CliRun full = Cli("parti Q=4 serieC=E24 distinta=" + path + " 2>&1; echo status=$?) | cat",
                          "(trap '' XFSZ; ulimit -f 0; ");
  EXPECT_NE(full.out.find("status=1"), std::string::npos) << full.out;
  EXPECT_NE(full.out.find("Distinta base non scritta"), std::string::npos) << full.out;
  EXPECT_NE(full.out.find("disco pieno"), std::string::npos) << full.out;
  EXPECT_EQ(Slurp(path), before);
  const CliRun missing = Cli("parti distinta=/nonexistent-folder/x.csv");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("la cartella non esiste"), std::string::npos) << missing.err;
  for (const auto& entry : std::filesystem::directory_iterator(::testing::TempDir()))
    EXPECT_EQ(entry.path().filename().string().find(".classe-bom-"), std::string::npos);
  std::remove(path.c_str());
}

// The deck of the parts as bought and retuned lands in ngspice on the power
// the program reports for them.
TEST(PartsCli, RetunedDeckLandsInNgspice) {
  for (const char* fields : {"Q=10 serieC=E24 Ron=0.1", "Q=4 serieC=E12 Ron=0.1"}) {
    const Json j = Parts(fields);
    const std::string deck =
        ::testing::TempDir() + "classe-parts-" + std::to_string(getpid()) + ".cir";
    const CliRun written = Cli(std::string("spice ") + fields + " >" + deck + " #");
    ASSERT_EQ(written.status, 0) << written.err;
    std::FILE* pipe = popen((std::string(CLASSE_NGSPICE) + " -b " + deck + " 2>&1").c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
      output.append(buffer, n);
    pclose(pipe);
    std::remove(deck.c_str());
    const auto m = circuit::ReadNgspiceMeasures(output);
    ASSERT_TRUE(m) << output.substr(0, 2000);
    EXPECT_NEAR(m->po / j["retune"]["Po"].get<double>(), 1, 1e-3) << fields;
  }
}

}  // namespace
}  // namespace classe::cli
