// Fixture for pixel-kernel tests that run once per instruction set this
// machine supports, with the kernels forced to that set, so the portable
// version is checked as well as the fastest one. Instantiate a suite with
//   INSTANTIATE_TEST_SUITE_P(, Suite, EveryInstructionSetValues(), InstructionSetTestName);
#pragma once

#include "CpuDispatch.h"

#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>

class EveryInstructionSet : public ::testing::TestWithParam<InstructionSet> {
protected:
    void SetUp() override { m_forced.emplace(GetParam()); }
    void TearDown() override { m_forced.reset(); }

private:
    std::optional<ForcedInstructionSet> m_forced;
};

inline auto EveryInstructionSetValues() { return ::testing::ValuesIn(SupportedInstructionSets()); }

inline std::string InstructionSetTestName(const ::testing::TestParamInfo<InstructionSet>& info)
{
    return InstructionSetName(info.param);
}

// Names the set in failure messages.
inline void PrintTo(InstructionSet set, std::ostream* os) { *os << InstructionSetName(set); }
