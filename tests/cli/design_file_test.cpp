// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/cli_actions.h"

namespace classe::cli {
namespace {

namespace fs = std::filesystem;

struct CliResult {
  int status;
  std::string out;
  std::string err;
};

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void Spit(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class DesignFileCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::path(::testing::TempDir()) / ("classe-design-" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    Spit(dir_ / "curve.csv", "Vds,Coss\n0,180\n25,81\n100,40\n");
  }
  void TearDown() override { fs::remove_all(dir_); }

  CliResult Cli(const std::string& args) const {
    const fs::path out = dir_ / "out", err = dir_ / "err";
    const int raw = std::system(
        (std::string(CLASSE_CLI) + " " + args + " >" + out.string() + " 2>" + err.string())
            .c_str());
    return {WEXITSTATUS(raw), Slurp(out), Slurp(err)};
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  fs::path dir_;
};

// The same inputs from a file written by salva= and from the command line
// give the same output, for every action, in both forms.
TEST_F(DesignFileCli, AFileSavedGivesTheSameOutputAsItsFieldsForEveryAction) {
  const std::string fields =
      "Po=25 Vcc=24 RL=10 M=400 Ron=0.2 QU=150 rete=si progetto=ideale "
      "serieC=E12 serieL=E24 coppie=si margine=2 "
      "tolC=3 tolL=2 prove=20 seme=7 distribuzione=normale ritaratura=si banda=8 "
      "variabile=Vcc da=20 a=30 punti=3 "
      "curva=" +
      Path("curve.csv");
  const CliResult saved = Cli("componenti " + fields + " salva=" + Path("d.classe"));
  ASSERT_EQ(saved.status, 0) << saved.err;
  for (const CliAction& action : CliActions()) {
    if (action.name == "rapporto") continue;
    for (const std::string json : {"", "--json "}) {
      const CliResult direct = Cli(json + std::string(action.name) + " " + fields);
      const CliResult before =
          Cli(json + "--file " + Path("d.classe") + " " + std::string(action.name));
      const CliResult after = Cli(json + std::string(action.name) + " --file " + Path("d.classe"));
      EXPECT_EQ(before.status, direct.status) << action.name;
      EXPECT_EQ(before.out, direct.out) << action.name;
      EXPECT_EQ(before.err, direct.err) << action.name;
      EXPECT_EQ(after.out, direct.out) << action.name;
    }
  }
}

TEST_F(DesignFileCli, FieldsOnTheCommandLineOverrideTheFile) {
  ASSERT_EQ(Cli("componenti Vcc=12 RL=5 salva=" + Path("d.classe")).status, 0);
  const CliResult overridden = Cli("componenti --file " + Path("d.classe") + " Vcc=48");
  EXPECT_EQ(overridden.out, Cli("componenti RL=5 Vcc=48").out);
  // A field the file holds as the user typed it gives the check's message.
  ASSERT_EQ(Cli("componenti Po=abc salva=" + Path("bad.classe")).status, 2);
  const CliResult rejected = Cli("componenti --file " + Path("bad.classe"));
  EXPECT_EQ(rejected.status, 2);
  EXPECT_EQ(rejected.err, Cli("componenti Po=abc").err);
}

TEST_F(DesignFileCli, ADamagedFileIsAMessageStatus65AndNothingWritten) {
  const std::string valid = R"({"format":"classe-e","version":1,"main":{"Po":"5"}})";
  const std::pair<const char*, std::string> damaged[] = {
      {"truncated", valid.substr(0, 30)},
      {"not-json", "Po=5\n"},
      {"wrong-type", R"({"format":"classe-e","version":1,"main":{"Po":5}})"},
      {"huge-number",
       R"({"format":"classe-e","version":1,"realCircuit":{"curve":{"name":"a","points":[[1e999,1]]}}})"},
      {"long-text",
       R"({"format":"classe-e","version":1,"main":{"Po":")" + std::string(10 << 20, '5') + "\"}}"},
      {"deep", std::string(10000, '[') + std::string(10000, ']')},
      {"nul", std::string(R"({"format":"classe-e","version":1,"main":{"Po":"5)") + '\0' + "\"}}"},
      {"bad-curve",
       R"({"format":"classe-e","version":1,"realCircuit":{"curve":{"name":"a","points":[[0,1]]}}})"},
  };
  for (const auto& [name, text] : damaged) {
    Spit(dir_ / name, text);
    const CliResult run =
        Cli(std::string("componenti --file ") + Path(name) + " salva=" + Path("out.classe"));
    EXPECT_EQ(run.status, 65) << name;
    EXPECT_EQ(run.out, "") << name;
    EXPECT_TRUE(run.err.starts_with("classe-e-cli: ")) << name << ": " << run.err;
    EXPECT_LT(run.err.size(), 400u) << name;
    EXPECT_FALSE(fs::exists(dir_ / "out.classe")) << name;
  }
  EXPECT_EQ(Cli("componenti --file " + Path("missing")).status, 65);
}

TEST_F(DesignFileCli, ANewerFileIsReadWithAWarning) {
  Spit(dir_ / "new.classe", R"({"format":"classe-e","version":3,"main":{"Vcc":"12"},"x":{}})");
  const CliResult run = Cli("componenti --file " + Path("new.classe"));
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.err.find("più recente"), std::string::npos) << run.err;
  EXPECT_EQ(run.out, Cli("componenti Vcc=12").out);
}

TEST_F(DesignFileCli, ASaveThatCannotBeWrittenIsAMessageAndTheOldFileStays) {
  Spit(dir_ / "old.classe", "vecchio");
  fs::create_directory(dir_ / "folder");
  const CliResult run = Cli("componenti salva=" + Path("folder"));
  EXPECT_EQ(run.status, 73);
  EXPECT_NE(run.err.find("non si può scrivere"), std::string::npos);
  EXPECT_EQ(Cli("componenti --file").status, 64);
  EXPECT_EQ(Cli("rapporto").status, 64);
}

}  // namespace
}  // namespace classe::cli
