// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace classe::cli::testing {

struct CliRun {
  int status;
  std::string out;
  std::string err;
};

// A text's lines, without their ends.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// classe-e-cli with the arguments, as the shell reads them; `prefix` runs
// before it in the same shell (a limit, a locale).
inline CliRun Cli(const std::string& args, const std::string& prefix = "") {
  // ctest runs the cases as parallel processes: one pair of files each.
  const std::string stem = ::testing::TempDir() + "classe-cli-" + std::to_string(getpid());
  const std::string out = stem + ".out";
  const std::string err = stem + ".err";
  const int raw = std::system(
      (prefix + std::string(CLASSE_CLI) + " " + args + " >" + out + " 2>" + err).c_str());
  CliRun run{WEXITSTATUS(raw), Slurp(out), Slurp(err)};
  std::remove(out.c_str());
  std::remove(err.c_str());
  return run;
}

}  // namespace classe::cli::testing
