// A damaged registry store: its good lines still count, the user is told
// which lines were ignored, and the damaged file is kept before the store is
// first saved again.
#include <filesystem>
#include <string>

#include "EngineFixture.h"
#include "FaultInjection.h"

namespace {

using DamagedStoreTest = EngineTest;

std::string readRegistry(const char *key, const char *fallback) {
  char buffer[256];
  ovSenderReadRegistry("Sender", key, fallback, buffer, sizeof buffer);
  return buffer;
}

// Loads the store as the next call would, and returns what was said on stderr meanwhile.
std::string loadAndListen() {
  ovSenderSimReset();
  testing::internal::CaptureStderr();
  readRegistry("Language", "");
  return testing::internal::GetCapturedStderr();
}

TEST_F(DamagedStoreTest, TheUserIsToldWhichLinesWereIgnoredAndTheFileIsKeptBeforeItIsSaved) {
  struct Case {
    const char *what;
    const char *text;
    const char *lines;  // as the message names them; empty for a sound store
  };
  const Case cases[] = {
      {"sound", "[Sender]\nLanguage=en\n\n; a comment\n", ""},
      {"line without '='", "[Sender]\nLanguage=en\nno equals sign\n", "line 3;"},
      {"entry before any section", "Orphan=1\n[Sender]\nLanguage=en\n", "line 1;"},
      {"dangling escape and binary junk", "[Sender]\nBad=x\\\nLanguage=en\n\x01\x02\xff\n", "line 2, 4;"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.what);
    std::filesystem::remove_all(home());
    std::filesystem::create_directories(home());
    writeFile("ovSender.ini", c.text);
    const std::string said = loadAndListen();
    EXPECT_EQ(readRegistry("Language", "none"), "en") << "good lines still count";
    const auto copy = storeFile().string() + ".damaged";
    if (!*c.lines) {
      EXPECT_EQ(said, "");
    } else {
      EXPECT_NE(said.find(storeFile().string() + " is damaged at " + c.lines), std::string::npos) << said;
      EXPECT_NE(said.find(copy), std::string::npos) << said;
    }
    ASSERT_TRUE(ovSenderWriteRegistry("Sender", "Language", "ja"));
    EXPECT_EQ(readRegistry("Language", "none"), "ja");
    EXPECT_EQ(std::filesystem::exists(copy), *c.lines != 0);
    if (*c.lines) {
      EXPECT_EQ(readFileText(copy), c.text) << "the damaged file, byte for byte";
    }
  }
}

TEST_F(DamagedStoreTest, AnEarlierCopyIsNeverReplaced) {
  const std::string damaged = "[Sender]\nLanguage=en\nfirst damage\n";
  writeFile("ovSender.ini.damaged", "kept earlier\n");
  writeFile("ovSender.ini", damaged);
  EXPECT_NE(loadAndListen().find("ovSender.ini.damaged.2"), std::string::npos);
  writeFile("ovSender.ini.damaged.2", "made meanwhile\n");  // the name told is taken before the save
  ASSERT_TRUE(ovSenderWriteRegistry("Sender", "Language", "ja"));
  EXPECT_EQ(readFileText(storeFile().string() + ".damaged"), "kept earlier\n");
  EXPECT_EQ(readFileText(storeFile().string() + ".damaged.2"), "made meanwhile\n");
  EXPECT_EQ(readFileText(storeFile().string() + ".damaged.3"), damaged);
}

// A disk with room for a new store but not for a copy of the damaged one:
// nothing is saved and the damaged store stays as it was.
TEST_F(DamagedStoreTest, ASaveThatCannotKeepTheDamagedFileFailsAndLeavesIt) {
  std::string damaged = "[Sender]\nLanguage=en\n";
  while (damaged.size() < 40 * 1024) damaged += "damaged line without an equals sign\n";
  const int result = fault::RunInChild([&] {
    if (!fault::MountSmallFolder(home().string(), 64 * 1024)) return fault::kCannotStage;
    writeFile("ovSender.ini", damaged);
    loadAndListen();
    if (ovSenderWriteRegistry("Sender", "Language", "ja")) return 1;
    if (readFileText(storeFile()) != damaged || readRegistry("Language", "none") != "en") return 2;
    return std::filesystem::exists(storeFile().string() + ".damaged") ? 3 : 0;
  });
  if (result == fault::kCannotStage) GTEST_SKIP() << "this system does not let the test mount a small folder";
  EXPECT_EQ(result, 0) << "1: saved, 2: the store changed, 3: a partial copy stayed";
}

}  // namespace
