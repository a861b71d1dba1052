// The registry store under faults: a writer killed at any moment, a full
// disk and a read-only folder never leave a mixed or shortened store.
#include <filesystem>
#include <iostream>
#include <iterator>

#include "EngineFixture.h"
#include "FaultInjection.h"

namespace {

using StoreFaultTest = EngineTest;

std::string storeText(const std::string &big) { return "[Sender]\nBig=" + big + "\n"; }

std::string readRegistry(const char *key) {
  char buffer[64];
  ovSenderReadRegistry("Sender", key, "<none>", buffer, sizeof buffer);
  return buffer;
}

TEST_F(StoreFaultTest, WriteKilledAtAnyMomentLeavesTheOldOrTheNewStore) {
  const std::string a(256 * 1024, 'a'), b(256 * 1024, 'b');
  ASSERT_TRUE(ovSenderWriteRegistry("Sender", "Big", a.c_str()));
  std::mt19937 random(24);
  for (int round = 0; round < 20; ++round) {
    fault::KillWhileWriting(
        [&] {
          for (int i = 0;; ++i) ovSenderWriteRegistry("Sender", "Big", (i % 2 ? a : b).c_str());
        },
        std::chrono::milliseconds(30), random);
    const std::string text = readFileText(storeFile());
    ASSERT_TRUE(text == storeText(a) || text == storeText(b)) << "round " << round << ": " << text.size() << " bytes";
  }
}

TEST_F(StoreFaultTest, FullDiskAndReadOnlyFolderFailTheWriteAndKeepTheOldStore) {
  const int result = fault::RunInChild([&] {
    const auto fail = [](const char *what) {
      std::cerr << what << "\n";
      return 1;
    };
    if (!fault::MountSmallFolder(home().string(), 64 * 1024)) return fault::kCannotStage;
    ovSenderSimReset();
    if (!ovSenderWriteRegistry("Sender", "Language", "ja")) return fail("a small write failed");
    const std::string before = readFileText(storeFile());
    if (ovSenderWriteRegistry("Sender", "Big", std::string(128 * 1024, 'x').c_str()))
      return fail("a write larger than the disk succeeded");
    if (readFileText(storeFile()) != before) return fail("the full disk changed the store");
    if (std::distance(std::filesystem::directory_iterator(home()), {}) != 1) return fail("a temporary file stayed");
    if (readRegistry("Big") != "<none>" || readRegistry("Language") != "ja") return fail("memory and file differ");
    if (!fault::MakeReadOnly(home().string())) return fault::kCannotStage;
    if (ovSenderWriteRegistry("Sender", "Language", "en")) return fail("a write into a read-only folder succeeded");
    if (readFileText(storeFile()) != before || readRegistry("Language") != "ja")
      return fail("the read-only folder changed the store");
    return 0;
  });
  if (result == fault::kCannotStage) GTEST_SKIP() << "this system does not let the test mount a small folder";
  EXPECT_EQ(result, 0);
}

}  // namespace
