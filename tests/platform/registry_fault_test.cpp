// The registry file under faults: a writer killed at any moment, a full disk
// and a read-only folder never leave a mixed or shortened file, and the
// failed call says why.
#include "FaultInjection.h"
#include "TempHome.h"
#include "winreg.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

namespace {

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

LONG SetBinary(const std::vector<BYTE>& data)
{
    HKEY key = nullptr;
    LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, u"Software\\Ostrel\\Fault", 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) return result;
    result = RegSetValueExW(key, u"Big", 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
    RegCloseKey(key);
    return result;
}

std::vector<BYTE> GetBinary()
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Ostrel\\Fault", 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    std::vector<BYTE> data(1 << 20);
    DWORD size = static_cast<DWORD>(data.size()), type = 0;
    const LONG result = RegQueryValueExW(key, u"Big", nullptr, &type, data.data(), &size);
    RegCloseKey(key);
    data.resize(result == ERROR_SUCCESS ? size : 0);
    return data;
}

TEST(RegistryFault, WriteKilledAtAnyMomentLeavesTheOldOrTheNewFile)
{
    TempHome home;
    const std::vector<BYTE> a(64 * 1024, 0xAA), b(64 * 1024, 0xBB);
    ASSERT_EQ(SetBinary(a), ERROR_SUCCESS);
    std::mt19937 random(24);
    for (int round = 0; round < 20; ++round) {
        fault::KillWhileWriting(
            [&] {
                for (int i = 0;; ++i) SetBinary(i % 2 ? a : b);
            },
            std::chrono::milliseconds(30), random);
        std::string message;
        ASSERT_EQ(RegistryCheckFile(&message), ERROR_SUCCESS) << "round " << round << ": " << message;
        const std::vector<BYTE> stored = GetBinary();
        ASSERT_TRUE(stored == a || stored == b) << "round " << round << ": " << stored.size() << " bytes";
    }
}

TEST(RegistryFault, FullDiskAndReadOnlyFolderFailTheWriteSayWhyAndKeepTheOldFile)
{
    TempHome home;
    const int result = fault::RunInChild([&] {
        const auto fail = [](const std::string& what) {
            std::cerr << what << "\n";
            return 1;
        };
        if (!fault::MountSmallFolder(home.Path().string(), 64 * 1024)) return fault::kCannotStage;
        const std::vector<BYTE> small(16, 0x11);
        if (SetBinary(small) != ERROR_SUCCESS) return fail("a small write failed: " + RegistryLastError());
        const std::string before = ReadFile(home.RegistryFile());
        if (SetBinary(std::vector<BYTE>(64 * 1024, 0x22)) == ERROR_SUCCESS)
            return fail("a write larger than the disk succeeded");
        if (RegistryLastError().find("No space left") == std::string::npos)
            return fail("the full disk was reported as: " + RegistryLastError());
        if (ReadFile(home.RegistryFile()) != before || GetBinary() != small) return fail("the full disk changed the file");
        if (!fault::MakeReadOnly(home.Path().string())) return fault::kCannotStage;
        if (SetBinary(std::vector<BYTE>(8, 0x33)) == ERROR_SUCCESS)
            return fail("a write into a read-only folder succeeded");
        if (RegistryLastError().find("Read-only") == std::string::npos)
            return fail("the read-only folder was reported as: " + RegistryLastError());
        if (ReadFile(home.RegistryFile()) != before || GetBinary() != small)
            return fail("the read-only folder changed the file");
        return 0;
    });
    if (result == fault::kCannotStage) GTEST_SKIP() << "this system does not let the test mount a small folder";
    EXPECT_EQ(result, 0);
}

} // namespace
