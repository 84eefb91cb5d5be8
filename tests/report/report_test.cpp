// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct Shell {
  int status;
  std::string out;
};

Shell Sh(const std::string& command) {
  const std::string out = ::testing::TempDir() + "report-" + std::to_string(::getpid()) + ".out";
  const int raw = std::system((command + " >" + out + " 2>&1").c_str());
  std::ifstream in(out);
  std::stringstream text;
  text << in.rdbuf();
  std::remove(out.c_str());
  return {WEXITSTATUS(raw), text.str()};
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

  const std::string fonts = Sh("pdffonts " + pdf_).out;
  EXPECT_NE(fonts.find("DejaVuSans"), std::string::npos) << fonts;
  std::istringstream fontLines(fonts);
  int listed = 0;
  for (std::string line; std::getline(fontLines, line);) {
    if (line.starts_with("name") || line.starts_with("---")) continue;
    ++listed;
    EXPECT_NE(line.find(" yes "), std::string::npos) << "not embedded: " << line;
  }
  EXPECT_GT(listed, 0);
  const std::string images = Sh("pdfimages -list " + pdf_).out;
  EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << images;  // the header only
  EXPECT_NE(Sh("pdfinfo " + pdf_).out.find("A4"), std::string::npos);
}

TEST_F(Report, ARejectedFieldIsItsMessageAndNoFile) {
  const Shell run = Sh(std::string(CLASSE_CLI) + " rapporto Po=abc pdf=" + pdf_);
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.out.find("potenza di uscita Po"), std::string::npos) << run.out;
  EXPECT_FALSE(fs::exists(pdf_));
  EXPECT_EQ(Sh(std::string(CLASSE_CLI) + " rapporto --file /nonexistent pdf=" + pdf_).status, 65);
  EXPECT_FALSE(fs::exists(pdf_));
}

}  // namespace
