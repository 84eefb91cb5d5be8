// SPDX-FileCopyrightText: 2026 The classe-e developers
// SPDX-License-Identifier: MIT

#include "engine/document/atomic_write.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace classe::document {
namespace {

namespace fs = std::filesystem;

std::string Slurp(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

fs::path Folder() {
  const fs::path folder =
      fs::path(::testing::TempDir()) / ("classe-atomic-" + std::to_string(::getpid()));
  fs::remove_all(folder);
  fs::create_directories(folder);
  return folder;
}

TEST(AtomicWrite, ReplacesTheFileWholeAndLeavesNoTemporaryFile) {
  const fs::path folder = Folder();
  const fs::path file = folder / "progetto.classe";
  ASSERT_EQ(WriteAtomically(file.string(), "primo"), std::nullopt);
  ASSERT_EQ(WriteAtomically(file.string(), std::string("secondo\0x", 9)), std::nullopt);
  EXPECT_EQ(Slurp(file), std::string("secondo\0x", 9));
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
  fs::remove_all(folder);
}

TEST(AtomicWrite, AFailureIsAReasonAndTheOldFileStays) {
  const fs::path folder = Folder();
  const fs::path file = folder / "progetto.classe";
  ASSERT_EQ(WriteAtomically(file.string(), "vecchio"), std::nullopt);
  EXPECT_NE(WriteAtomically((folder / "manca" / "x.classe").string(), "nuovo"), std::nullopt);
  // A folder in the target's place cannot be renamed over.
  fs::create_directory(folder / "cartella");
  EXPECT_NE(WriteAtomically((folder / "cartella").string(), "nuovo"), std::nullopt);
  EXPECT_EQ(Slurp(file), "vecchio");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 2);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace classe::document
