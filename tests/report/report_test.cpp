// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "report/report_sections.h"
#include "tests/cli/cli_run.h"

namespace {

namespace fs = std::filesystem;
using namespace classe;
using classe::cli::testing::Lines;
const std::string kCli = CLASSE_CLI;

struct Shell {
  int status;
  std::string out;
};

// The command's output, its error stream too unless `errors` is false.
Shell Sh(const std::string& command, bool errors = true) {
  const std::string out = ::testing::TempDir() + "report-" + std::to_string(::getpid()) + ".out";
  const int raw = std::system((command + " >" + out + (errors ? " 2>&1" : " 2>/dev/null")).c_str());
  std::ifstream in(out);
  std::stringstream text;
  text << in.rdbuf();
  std::remove(out.c_str());
  return {WEXITSTATUS(raw), text.str()};
}

void ExpectEmbeddedFontsAndNoPictures(const std::string& pdf) {
  const std::string fonts = Sh("pdffonts " + pdf).out;
  EXPECT_NE(fonts.find("DejaVuSans"), std::string::npos) << fonts;
  std::istringstream fontLines(fonts);
  int listed = 0;
  for (std::string line; std::getline(fontLines, line);) {
    if (line.starts_with("name") || line.starts_with("---")) continue;
    ++listed;
    EXPECT_NE(line.find(" yes "), std::string::npos) << "not embedded: " << line;
  }
  EXPECT_GT(listed, 0);
  const std::string images = Sh("pdfimages -list " + pdf).out;
  EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << images;  // the header only
}

class Report : public ::testing::Test {
 protected:
  void SetUp() override {
    pdf_ = ::testing::TempDir() + "rapporto-" + std::to_string(::getpid()) + ".pdf";
    fs::remove(pdf_);
  }
  void TearDown() override { fs::remove(pdf_); }
  std::string pdf_;
};

TEST_F(Report, HoldsTheInputsAndTheExactDesignAsShownInEmbeddedFontsWithoutPictures) {
  const std::string fields = "Po=25 Vcc=12 RL=7 Ron=0.05 rete=si";
  const Shell made = Sh(std::string(CLASSE_CLI) + " rapporto " + fields + " pdf=" + pdf_);
  ASSERT_EQ(made.status, 0) << made.out;
  const std::string text = Sh("pdftotext -layout " + pdf_ + " -").out;
  for (const char* shown : {"Po = 25 [Watt]", "Vcc = 12 [Volt]", "RL = 7 [Ω]", "Ron = 0.05 [Ω]",
                            "rete di adattamento: sì", "Schema", "Forme d'onda"})
    EXPECT_NE(text.find(shown), std::string::npos) << shown << "\n" << text;
  // The exact design's values as the command line (and the window) shows them.
  const std::string exact = Sh(std::string(CLASSE_CLI) + " esatto " + fields).out;
  int found = 0;
  std::istringstream lines(exact);
  for (std::string line; std::getline(lines, line);) {
    const auto tab = line.find('\t');
    if (tab == std::string::npos || line.find(" esatto\t") == std::string::npos) continue;
    const std::string value = line.substr(tab + 1, line.find('\t', tab + 1) - tab - 1);
    EXPECT_NE(text.find(value), std::string::npos) << line;
    ++found;
  }
  EXPECT_GT(found, 15);

  ExpectEmbeddedFontsAndNoPictures(pdf_);
  const std::string info = Sh("pdfinfo " + pdf_).out;
  EXPECT_NE(info.find("A4"), std::string::npos);
  // Neither the parts nor a tolerance run asked for: one page.
  EXPECT_NE(info.find("Pages:           1"), std::string::npos) << info;
  EXPECT_EQ(text.find("Parti come acquistate"), std::string::npos);
  EXPECT_EQ(text.find("Analisi delle tolleranze"), std::string::npos);
}

TEST_F(Report, ARejectedFieldIsItsMessageAndNoFile) {
  const Shell run = Sh(std::string(CLASSE_CLI) + " rapporto Po=abc pdf=" + pdf_);
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.out.find("potenza di uscita Po"), std::string::npos) << run.out;
  EXPECT_FALSE(fs::exists(pdf_));
  EXPECT_EQ(Sh(std::string(CLASSE_CLI) + " rapporto --file /nonexistent pdf=" + pdf_).status, 65);
  EXPECT_FALSE(fs::exists(pdf_));
}

// The line whose first word is `first`, empty when none is.
std::string LineStarting(const std::string& text, const std::string& first) {
  for (const std::string& line : Lines(text)) {
    const auto start = line.find_first_not_of(' ');
    if (start != std::string::npos && line.compare(start, first.size() + 1, first + ' ') == 0)
      return line;
  }
  return {};
}

std::string Digits4(double x) {
  char text[32];
  return std::string(text,
                     std::to_chars(text, text + sizeof text, x, std::chars_format::general, 4).ptr);
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// A file from a tolerance run with the parts chosen: its second page holds
// the parts as "parti" buys them and the run's figures as "tolleranze" gives
// them for the same file.
TEST_F(Report, ASecondPageHoldsThePartsAsBoughtAndTheYieldOfTheRun) {
  const std::string file = pdf_ + ".classe";
  ASSERT_EQ(Sh(kCli + " tolleranze Po=25 Vcc=12 RL=7 Ron=0.05 rete=si serieC=E12 coppie=si " +
               "prove=300 seme=7 salva=" + file)
                .status,
            0);
  const Shell made = Sh(kCli + " rapporto --file " + file + " pdf=" + pdf_);
  ASSERT_EQ(made.status, 0) << made.out;
  EXPECT_NE(Sh("pdfinfo " + pdf_).out.find("Pages:           2"), std::string::npos);
  const std::string page = Sh("pdftotext -layout -f 2 -l 2 " + pdf_ + " -").out;
  for (const char* shown :
       {"Parti come acquistate", "Acquisto", "Serie", "Toll. [%]", "Coppia in parallelo",
        "V nominale [V]", "Vpicco [V]", "Irms [A]", "Ipicco [A]", "Perdita [W]",
        "Ritaratura al banco", "Vcc per Po esatta [V]", "Analisi delle tolleranze",
        "Esemplari simulati: 300", "seme 7", "Distribuzione di Po", "Po [W]"})
    EXPECT_NE(page.find(shown), std::string::npos) << shown << "\n" << page;

  // Each part's row as the parts tool prints it: bought, peak, RMS current, rating.
  int rows = 0;
  for (const std::string& line : Lines(Sh(kCli + " parti --file " + file, false).out)) {
    if (line.empty()) break;
    std::vector<std::string> cells;
    std::istringstream split(line);
    for (std::string cell; std::getline(split, cell, '\t');)
      cells.push_back(cell);
    if (cells.size() < 10 || cells[0] == "Parte") continue;
    const std::string row = LineStarting(page, cells[0].substr(0, cells[0].find(' ')));
    for (std::size_t c : {2, 3, 5, 7, 8, 9})
      EXPECT_NE(row.find(cells[c]), std::string::npos) << cells[c] << " in " << row;
    rows += !row.empty();
  }
  EXPECT_GE(rows, 6);  // C1, C2, L1, L2 and the network's L and C
  EXPECT_NE(LineStarting(page, "C1").find("E12"), std::string::npos);

  const auto json =
      nlohmann::json::parse(Sh(kCli + " --json tolleranze --file " + file, false).out);
  const std::string yield = page.substr(page.find("Analisi delle tolleranze"));
  const std::string po = LineStarting(yield, "Po [W]");
  for (const char* p : {"p5", "p50", "p95"})
    EXPECT_NE(po.find(Digits4(json["percentiles"]["Po"][p].get<double>())), std::string::npos)
        << p << ' ' << po;
  const double inBand = json["yield"]["Po"].get<double>() * 100;
  char percent[32];
  std::snprintf(percent, sizeof percent, "%.1f %%", inBand);
  EXPECT_NE(LineStarting(yield, "Po entro").find(percent), std::string::npos) << percent;
  ExpectEmbeddedFontsAndNoPictures(pdf_);
}

// Only a run that went through marks the file; a mark the rerun cannot honour
// leaves the report whole, with the reason in place of the yield.
TEST_F(Report, TheRunMarkFollowsTheRunAndARefusedRerunSaysWhy) {
  const std::string file = pdf_ + ".classe";
  EXPECT_EQ(Sh(kCli + " tolleranze prove=abc salva=" + file).status, 2);
  EXPECT_NE(Slurp(file).find("\"eseguita\": \"no\""), std::string::npos);
  ASSERT_EQ(Sh(kCli + " tolleranze prove=50 salva=" + file).status, 0);
  std::string saved = Slurp(file);
  EXPECT_NE(saved.find("\"eseguita\": \"si\""), std::string::npos);
  ASSERT_EQ(Sh(kCli + " rapporto --file " + file + " pdf=" + pdf_).status, 0);
  std::string page = Sh("pdftotext -layout -f 2 -l 2 " + pdf_ + " -").out;
  EXPECT_NE(page.find("Esemplari simulati: 50"), std::string::npos) << page;
  EXPECT_EQ(page.find("Parti come acquistate"), std::string::npos);

  const std::string bad = pdf_ + "-bad.classe";
  const auto at = saved.find("\"prove\": \"50\"");
  ASSERT_NE(at, std::string::npos) << saved;
  std::ofstream(bad) << saved.replace(at, 13, "\"prove\": \"0\"");
  const Shell made = Sh(kCli + " rapporto --file " + bad + " pdf=" + pdf_);
  fs::remove(bad);
  ASSERT_EQ(made.status, 0) << made.out;
  const std::string reason = "Il numero di prove deve essere compreso";
  EXPECT_NE(made.out.find(reason), std::string::npos) << made.out;
  page = Sh("pdftotext -layout -f 2 -l 2 " + pdf_ + " -").out;
  EXPECT_NE(page.find("Analisi delle tolleranze"), std::string::npos);
  EXPECT_NE(page.find(reason), std::string::npos) << page;
  EXPECT_EQ(page.find("Esemplari simulati"), std::string::npos);

  // The same for a parts choice the parts window would refuse: the builds
  // are of the parts bought, so neither section has its figures.
  ASSERT_EQ(Sh(kCli + " rapporto --file " + file + " margine=abc pdf=" + pdf_).status, 0);
  page = Sh("pdftotext -layout -f 2 -l 2 " + pdf_ + " -").out;
  EXPECT_NE(page.find("Parti come acquistate"), std::string::npos) << page;
  const auto first = page.find("margine di tensione");
  ASSERT_NE(first, std::string::npos) << page;
  EXPECT_NE(page.find("margine di tensione", first + 1), std::string::npos) << page;
  EXPECT_EQ(page.find("Esemplari simulati"), std::string::npos) << page;
  fs::remove(file);
}

statistics::BuildRow Solved(double Po) {
  statistics::BuildRow row;
  row.done = true;
  row.figures = statistics::StageFigures{};
  row.figures->Po = Po;
  return row;
}

TEST(PoHistogram, SpansTheValuesAndTheBandAndCountsEverySolvedBuild) {
  statistics::MonteCarloResult run;
  run.nominal.Po = 10;
  for (double po : {7.0, 9.5, 10.0, 10.5, 14.0})
    run.rows.push_back(Solved(po));
  statistics::BuildRow failed;
  failed.done = true;
  run.rows.push_back(failed);
  run.rows.push_back(statistics::BuildRow{});  // not reached before a stop
  const report::Histogram h = report::PoHistogram(run, 0.1, 7);
  EXPECT_EQ(h.lo, 7);
  EXPECT_EQ(h.hi, 14);
  ASSERT_EQ(h.counts.size(), 7u);
  EXPECT_EQ(h.counts, (std::vector<long long>{1, 0, 1, 2, 0, 0, 1}));

  // The band reaches past builds that all sit at the nominal.
  run.rows.assign(3, Solved(10));
  const report::Histogram narrow = report::PoHistogram(run, 0.2, 4);
  EXPECT_DOUBLE_EQ(narrow.lo, 8);
  EXPECT_DOUBLE_EQ(narrow.hi, 12);
  EXPECT_EQ(narrow.counts, (std::vector<long long>{0, 0, 3, 0}));
}

}  // namespace
