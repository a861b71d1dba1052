#include "TempHome.h"
#include "fmapper.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <sys/wait.h>

namespace {

struct ToolRun {
    int exitCode;
    std::string output;
};

ToolRun Ovregsvr(const std::string& arguments)
{
    const std::string command = std::string("'") + OVREGSVR + "' " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    std::string output;
    char buffer[256];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    const int status = pipe ? ::pclose(pipe) : -1;
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::size_t RegisteredFilterCount()
{
    std::vector<RegisteredFilter> filters;
    EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters);
    return filters.size();
}

const std::string kModule = std::string("'") + OSTREL_TEST_MODULE + "'";

} // namespace

TEST(Ovregsvr, RegistersAndUnregistersAModule)
{
    TempHome home;
    const ToolRun registered = Ovregsvr(kModule);
    EXPECT_EQ(registered.exitCode, 0) << registered.output;
    EXPECT_NE(registered.output.find("Registered"), std::string::npos);
    EXPECT_EQ(RegisteredFilterCount(), 1u);
    const ToolRun unregistered = Ovregsvr("-u " + kModule);
    EXPECT_EQ(unregistered.exitCode, 0) << unregistered.output;
    EXPECT_EQ(RegisteredFilterCount(), 0u);
}

TEST(Ovregsvr, FailsClearlyOnBadInput)
{
    TempHome home;
    EXPECT_EQ(Ovregsvr("").exitCode, 2);
    EXPECT_EQ(Ovregsvr("-x " + kModule).exitCode, 2);
    const ToolRun missing = Ovregsvr("/no/such/module.so");
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("/no/such/module.so"), std::string::npos);

    const auto notModule = home.Path() / "plain.so";
    std::ofstream(notModule) << "not an ELF file";
    const ToolRun bad = Ovregsvr("'" + notModule.string() + "'");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.output.find("cannot load"), std::string::npos);

    std::ofstream(home.RegistryFile()) << "[HKEY_CLASSES_ROOT]\n@=broken\n";
    const ToolRun corrupt = Ovregsvr(kModule);
    EXPECT_EQ(corrupt.exitCode, 1);
    EXPECT_NE(corrupt.output.find("corrupt"), std::string::npos);
}
