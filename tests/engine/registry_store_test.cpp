#include <algorithm>
#include <cstring>
#include <unistd.h>

#include "EngineFixture.h"

namespace {

std::string readRegistry(const char *key, const char *fallback = "", int size = 1024) {
  std::vector<char> buffer(static_cast<std::size_t>(size), 'x');
  ovSenderReadRegistry("Sender", key, fallback, buffer.data(), size);
  return buffer.data();
}

using RegistryStoreTest = EngineTest;

TEST_F(RegistryStoreTest, AwkwardValuesSurviveTheFileUnchanged) {
  const std::vector<std::pair<std::string, std::string>> entries = {
      {"Equals", "a=b=c"},          {"Semicolon", "; not a comment"}, {"Blanks", "  padded \t "},
      {"Japanese", "送信中: ＭＳ Ｐゴシック"}, {"Lines", "one\ntwo\r\nthree"},   {"Backslash", "C:\\dir\\n"},
      {"Bracket", "[Sender]"},      {"Empty", ""},                    {"Hash", "#1"},
  };
  for (const auto &[key, value] : entries) ASSERT_TRUE(ovSenderWriteRegistry("Sender", key.c_str(), value.c_str()));

  ovSenderSimReset();  // forget memory: everything below comes from the file
  for (const auto &[key, value] : entries) EXPECT_EQ(readRegistry(key.c_str(), "default"), value) << key;
}

TEST_F(RegistryStoreTest, FileIsReadableKeyValueLinesUnderTheSection) {
  ASSERT_TRUE(ovSenderWriteRegistry("Sender", "Language", "ja"));
  ASSERT_TRUE(ovSenderWriteRegistry("Sender", "HistoryCaption0", "two\nlines"));
  const auto lines = fileLines(storeFile());
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "[Sender]");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Language=ja"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "HistoryCaption0=two\\nlines"), lines.end());
  EXPECT_EQ(lines.size(), 3u);
}

TEST_F(RegistryStoreTest, AwkwardKeysCannotBreakTheLineStructure) {
  for (const char *key : {"a=b", "[x]", " lead", ";c", "k\nv=w"}) {
    ASSERT_TRUE(ovSenderWriteRegistry("Sender", key, "v"));
  }
  ovSenderSimReset();
  for (const char *key : {"a=b", "[x]", " lead", ";c", "k\nv=w"}) EXPECT_EQ(readRegistry(key, "none"), "v") << key;
  EXPECT_EQ(readRegistry("a", "none"), "none");
  EXPECT_EQ(readRegistry("k", "none"), "none");
}

TEST_F(RegistryStoreTest, MissingKeyGivesTheDefaultAndStoredKeyOverridesIt) {
  EXPECT_EQ(readRegistry("Language", "en"), "en");
  ASSERT_TRUE(ovSenderWriteRegistry("Sender", "Language", "ja"));
  EXPECT_EQ(readRegistry("Language", "en"), "ja");
  EXPECT_EQ(readRegistry("Language", nullptr), "ja");
  EXPECT_EQ(readRegistry("Other", nullptr), "");
}

TEST_F(RegistryStoreTest, ReadNeverWritesPastTheBufferAndAlwaysTerminates) {
  ASSERT_TRUE(ovSenderWriteRegistry("Sender", "Long", std::string(300, 'a').c_str()));
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  ovSenderReadRegistry("Sender", "Long", "", buffer, 8);
  EXPECT_STREQ(buffer, "aaaaaaa");
  EXPECT_TRUE(std::all_of(buffer + 8, buffer + 16, [](char c) { return c == '#'; }));

  ovSenderReadRegistry("Sender", "Long", "", buffer, 1);
  EXPECT_EQ(buffer[0], '\0');
  EXPECT_EQ(buffer[1], 'a');  // the earlier copy, untouched

  buffer[0] = '#';
  ovSenderReadRegistry("Sender", "Long", "", buffer, 0);
  ovSenderReadRegistry("Sender", "Long", "", buffer, -5);
  ovSenderReadRegistry("Sender", "Long", "", nullptr, 256);
  EXPECT_EQ(buffer[0], '#');
}

TEST_F(RegistryStoreTest, CutValueEndsOnACharacterBoundary) {
  ASSERT_TRUE(ovSenderWriteRegistry("Sender", "Kana", "あいう"));  // three bytes each
  char buffer[6];
  ovSenderReadRegistry("Sender", "Kana", "", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "あ");
}

TEST_F(RegistryStoreTest, FolderIsCreatedAndNoTemporaryFileStays) {
  const auto nested = home() / "deeper" / "still";
  ::setenv("OSTREL_HOME", nested.c_str(), 1);
  ovSenderSimReset();
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(ovSenderWriteRegistry("Sender", "Count", std::to_string(i).c_str()));
  EXPECT_EQ(ovSenderSimStorePath(), (nested / "ovSender.ini").string());
  const auto entries = std::distance(std::filesystem::directory_iterator(nested), {});
  EXPECT_EQ(entries, 1);
}

// A write that cannot complete must leave the previous store whole and report failure.
TEST_F(RegistryStoreTest, FailedWriteKeepsTheOldStoreAndTheOldValue) {
  ASSERT_TRUE(ovSenderWriteRegistry("Sender", "Language", "ja"));
  const std::string before = readFileText(storeFile());
  const auto blocker = home() / ("ovSender.ini.tmp." + std::to_string(::getpid()));
  std::filesystem::create_directory(blocker);

  EXPECT_FALSE(ovSenderWriteRegistry("Sender", "Language", "en"));
  EXPECT_EQ(readFileText(storeFile()), before);
  EXPECT_EQ(readRegistry("Language"), "ja");
  std::filesystem::remove(blocker);
  EXPECT_TRUE(ovSenderWriteRegistry("Sender", "Language", "en"));
}

TEST_F(RegistryStoreTest, NullArgumentsAreRefusedWithoutCrashing) {
  EXPECT_FALSE(ovSenderWriteRegistry(nullptr, "Key", "v"));
  EXPECT_FALSE(ovSenderWriteRegistry("Sender", nullptr, "v"));
  EXPECT_FALSE(ovSenderWriteRegistry("Sender", "Key", nullptr));
  EXPECT_FALSE(ovSenderWriteRegistry("Sender", "", "v"));
  char buffer[8];
  ovSenderReadRegistry(nullptr, nullptr, "d", buffer, sizeof buffer);
  EXPECT_STREQ(buffer, "d");
}

TEST_F(RegistryStoreTest, DamagedLinesInAStoreDoNotCostTheOthers) {
  writeFile("ovSender.ini", "[Sender]\nLanguage=en\nno equals sign\nBad=dangling\\\nVolumeIndicatorDisplayTime=20s\r\n");
  ovSenderSimReset();
  EXPECT_EQ(readRegistry("Language"), "en");
  EXPECT_EQ(readRegistry("VolumeIndicatorDisplayTime"), "20s");
  EXPECT_EQ(readRegistry("Bad", "none"), "none");
}

}  // namespace
