#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

std::string Slurp(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

CliRun Cli(const std::string& args) {
  // ctest runs the cases as parallel processes: one pair of files each.
  const std::string stem = ::testing::TempDir() + "classe-cli-" + std::to_string(getpid());
  const std::string out = stem + ".out";
  const std::string err = stem + ".err";
  const int raw =
      std::system((std::string(CLASSE_CLI) + " " + args + " >" + out + " 2>" + err).c_str());
  CliRun run{WEXITSTATUS(raw), Slurp(out), Slurp(err)};
  std::remove(out.c_str());
  std::remove(err.c_str());
  return run;
}

TEST(CommandLine, ComputesTheDefaultDesign) {
  const CliRun run = Cli("componenti");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "R\t9.044E+00\t[Ω]\nL1\t3.92E+01\t[µH]\nC1\t8.077E+02\t[pF]\nC2\t1.545E+03\t[pF]\n"
            "L2\t1.439 E+00\t[µH]\nIDC\t1.786E+00\t[A]\n");
  EXPECT_EQ(run.err, "");
}

TEST(CommandLine, JsonHoldsLabelsVisibilityAndState) {
  const CliRun run = Cli("--json componenti");
  EXPECT_EQ(run.status, 0);
  for (const char* part :
       {"\"action\": \"componenti\"", "\"messages\": []", "\"fault\": null",
        "\"Label11\": \"9.044E+00\"", "\"Label15\": \"1.439 E+00\"", "\"Label39\": \"1.786E+00\"",
        "\"Command2\": true", "\"Image2\": false", "\"Po\": 50", "\"N\": 20"}) {
    EXPECT_NE(run.out.find(part), std::string::npos) << part << "\n" << run.out;
  }
}

TEST(CommandLine, ExitStatusTellsHowTheActionEnded) {
  const CliRun rejected = Cli("componenti 'Po='");
  EXPECT_EQ(rejected.status, 2);
  EXPECT_EQ(rejected.out, "");
  EXPECT_EQ(rejected.err, "Hai dimenticato di scrivere la potenza di uscita Po\n");

  const CliRun fault = Cli("componenti Po=0");
  EXPECT_EQ(fault.status, 1);
  EXPECT_EQ(fault.err, "Errore di calcolo: divisione per zero nel calcolo di R.\n");

  const CliRun json = Cli("--json picchi M=-5");
  EXPECT_EQ(json.status, 1);
  EXPECT_NE(json.out.find("\"fault\": \"Il numero di campioni M"), std::string::npos);

  EXPECT_EQ(Cli("nonsense").status, 64);
  EXPECT_EQ(Cli("componenti Z=3").status, 64);
  EXPECT_EQ(Cli("").status, 64);
  EXPECT_EQ(Cli("--help").status, 0);
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

}  // namespace
