#include "EngineFixture.h"

#include <stdlib.h>

#include <fstream>
#include <sstream>

void EngineTest::SetUp() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ovsender-test-XXXXXX").string();
  ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
  home_ = pattern;
  ::setenv("OSTREL_HOME", home_.c_str(), 1);
  ::unsetenv("OVSENDER_SIM_LOG");
  ::unsetenv("OVSENDER_SIM_FAIL_INITIALIZE");
  ovSenderSimReset();
}

void EngineTest::TearDown() {
  ::unsetenv("OVSENDER_SIM_LOG");
  ovSenderSimReset();
  std::error_code ignored;
  std::filesystem::remove_all(home_, ignored);
}

std::string EngineTest::writeFile(const std::string &name, const std::string &text) const {
  const auto path = home_ / name;
  std::ofstream(path, std::ios::binary) << text;
  return path.string();
}

std::string readFileText(const std::filesystem::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> fileLines(const std::filesystem::path &path) {
  std::istringstream text(readFileText(path));
  std::vector<std::string> lines;
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}
