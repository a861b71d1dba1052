// Each engine test starts from a reset engine whose store lives in a fresh
// temporary OSTREL_HOME, removed again afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ovSender.h"
#include "ovSenderSim.h"

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::filesystem::path home() const { return home_; }
  std::filesystem::path storeFile() const { return home_ / "ovSender.ini"; }
  // Writes text to a file in the temporary folder and returns its path.
  std::string writeFile(const std::string &name, const std::string &text) const;

 private:
  std::filesystem::path home_;
};

std::string readFileText(const std::filesystem::path &path);
std::vector<std::string> fileLines(const std::filesystem::path &path);
