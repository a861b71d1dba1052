#include "TempHome.h"
#include "winreg.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

namespace {

std::string ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

HKEY CreateKey(LPCWSTR path)
{
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    return key;
}

LONG SetString(HKEY key, LPCWSTR name, const std::u16string& text)
{
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * 2));
}

std::u16string GetString(HKEY key, LPCWSTR name)
{
    WCHAR text[256] = {};
    DWORD size = sizeof text, type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS)
        return u"<missing>";
    return type == REG_SZ ? text : u"<not a string>";
}

} // namespace

TEST(Registry, ValuesOfEveryKindSurviveTheTextFile)
{
    TempHome home;
    HKEY key = CreateKey(u"Ostrel\\Test");
    const std::u16string tricky = u"ビデオ \"quoted\" back\\slash\nnew line";
    ASSERT_EQ(SetString(key, nullptr, u"default"), ERROR_SUCCESS);
    ASSERT_EQ(SetString(key, u"Text", tricky), ERROR_SUCCESS);
    const DWORD number = 0x200000;
    ASSERT_EQ(RegSetValueExW(key, u"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), 4), ERROR_SUCCESS);
    const BYTE blob[] = {0, 1, 0xFE, 0xFF};
    ASSERT_EQ(RegSetValueExW(key, u"Blob", 0, REG_BINARY, blob, sizeof blob), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExW(key, u"Empty", 0, REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    RegCloseKey(key);

    const std::string file = ReadFile(home.RegistryFile());
    EXPECT_NE(file.find("[HKEY_CLASSES_ROOT\\Ostrel\\Test]"), std::string::npos);
    EXPECT_NE(file.find("\"Number\"=dword:00200000"), std::string::npos);

    HKEY reopened = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"OSTREL\\test", 0, KEY_READ, &reopened), ERROR_SUCCESS);
    EXPECT_EQ(GetString(reopened, nullptr), u"default");
    EXPECT_EQ(GetString(reopened, u"text"), tricky);
    DWORD type = 0, size = 0;
    ASSERT_EQ(RegQueryValueExW(reopened, u"Blob", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_BINARY);
    EXPECT_EQ(size, 4u);
    BYTE small[2];
    size = sizeof small;
    EXPECT_EQ(RegQueryValueExW(reopened, u"Blob", nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);
    BYTE whole[4];
    size = sizeof whole;
    ASSERT_EQ(RegQueryValueExW(reopened, u"Blob", nullptr, &type, whole, &size), ERROR_SUCCESS);
    EXPECT_EQ(std::vector<BYTE>(whole, whole + 4), std::vector<BYTE>(blob, blob + 4));
    DWORD read = 0;
    size = sizeof read;
    ASSERT_EQ(RegQueryValueExW(reopened, u"Number", nullptr, &type, reinterpret_cast<BYTE*>(&read), &size),
              ERROR_SUCCESS);
    EXPECT_EQ(read, number);
    size = 0;
    EXPECT_EQ(RegQueryValueExW(reopened, u"Empty", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(RegQueryValueExW(reopened, u"Absent", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegDeleteValueW(reopened, u"Text"), ERROR_SUCCESS);
    EXPECT_EQ(GetString(reopened, u"Text"), u"<missing>");
    RegCloseKey(reopened);
}

TEST(Registry, KeysEnumerateAndDeleteAsOnWindows)
{
    TempHome home;
    RegCloseKey(CreateKey(u"Root\\B"));
    RegCloseKey(CreateKey(u"Root\\a\\Deep"));
    HKEY root = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Root", 0, KEY_READ, &root), ERROR_SUCCESS);
    std::vector<std::u16string> names;
    for (DWORD i = 0;; ++i) {
        WCHAR name[64];
        DWORD length = 64;
        const LONG code = RegEnumKeyExW(root, i, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (code == ERROR_NO_MORE_ITEMS) break;
        ASSERT_EQ(code, ERROR_SUCCESS);
        names.emplace_back(name, length);
    }
    EXPECT_EQ(names, (std::vector<std::u16string>{u"a", u"B"}));
    EXPECT_EQ(RegDeleteKeyW(root, u"a"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteTreeW(root, u"a"), ERROR_SUCCESS);
    HKEY gone = nullptr;
    EXPECT_EQ(RegOpenKeyExW(root, u"a\\Deep", 0, KEY_READ, &gone), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(gone, nullptr);
    EXPECT_EQ(RegDeleteKeyW(root, u"B"), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Root\\\\B", 0, KEY_READ, &gone), ERROR_INVALID_PARAMETER);
    RegCloseKey(root);
    EXPECT_EQ(RegCloseKey(root), ERROR_INVALID_HANDLE);
    EXPECT_EQ(SetString(root, u"x", u"y"), ERROR_INVALID_HANDLE);
}

TEST(Registry, CorruptFileIsReportedAndNeverReplaced)
{
    const char* corruptFiles[] = {
        "[HKEY_CLASSES_ROOT\\X]\n\"a\"=dword:123\n",
        "[HKEY_CLASSES_ROOT\\X]\n\"a\"=\"unterminated\n",
        "[NOT_A_ROOT\\X]\n",
        "\"a\"=\"value before key\"\n",
        "[HKEY_CLASSES_ROOT\\X]\n\"a\"=hex:0g\n",
    };
    for (const char* text : corruptFiles) {
        TempHome home;
        std::ofstream(home.RegistryFile()) << text;
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
                  ERROR_BADDB)
            << text;
        EXPECT_NE(RegistryLastError().find("corrupt"), std::string::npos);
        EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"X", 0, KEY_READ, &key), ERROR_BADDB);
        std::string message;
        EXPECT_EQ(RegistryCheckFile(&message), ERROR_BADDB);
        EXPECT_NE(message.find("line"), std::string::npos) << message;
        EXPECT_EQ(ReadFile(home.RegistryFile()), text);
    }
}

namespace {

std::size_t DwordCount(const std::filesystem::path& file)
{
    const std::string text = ReadFile(file);
    std::size_t count = 0;
    for (std::size_t at = text.find("=dword:"); at != std::string::npos; at = text.find("=dword:", at + 1)) ++count;
    return count;
}

// Writes 15 values named after `writer` into HKEY_CLASSES_ROOT\Shared.
void WriteValues(int writer)
{
    HKEY key = nullptr;
    RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Shared", 0, KEY_WRITE, &key);
    for (DWORD i = 0; i < 15; ++i) {
        const std::u16string name = u"w" + std::u16string(1, static_cast<char16_t>(u'0' + writer)) + u"_" +
                                    std::u16string(1, static_cast<char16_t>(u'a' + i));
        RegSetValueExW(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&i), 4);
    }
    RegCloseKey(key);
}

} // namespace

TEST(Registry, WritersInSeveralProcessesAllLand)
{
    TempHome home;
    RegCloseKey(CreateKey(u"Shared"));
    std::vector<pid_t> children;
    for (int w = 0; w < 4; ++w) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            WriteValues(w);
            ::_exit(0);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(DwordCount(home.RegistryFile()), 60u);
}

TEST(Registry, WritersOnSeveralThreadsAllLand)
{
    TempHome home;
    RegCloseKey(CreateKey(u"Shared"));
    std::vector<std::thread> writers;
    for (int w = 0; w < 4; ++w) writers.emplace_back(WriteValues, w);
    for (auto& t : writers) t.join();
    EXPECT_EQ(DwordCount(home.RegistryFile()), 60u);
    EXPECT_FALSE(std::filesystem::exists(home.RegistryFile().string() + ".tmp"));
}
