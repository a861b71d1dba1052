// Points OSTREL_HOME at a fresh temporary folder for one test, so the user's
// registry is never touched, and removes the folder afterwards.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

class TempHome {
public:
    TempHome()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "ostrel-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) std::abort();
        m_path = pattern;
        if (const char* old = std::getenv("OSTREL_HOME")) m_previous = old;
        ::setenv("OSTREL_HOME", m_path.c_str(), 1);
    }
    ~TempHome()
    {
        if (m_previous.empty())
            ::unsetenv("OSTREL_HOME");
        else
            ::setenv("OSTREL_HOME", m_previous.c_str(), 1);
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::filesystem::path RegistryFile() const { return m_path / "registry.txt"; }

private:
    std::filesystem::path m_path;
    std::string m_previous;
};
