#include "HoldQueueRules.h"

#include <cstdio>

std::string FillLevelText(LONG count, LONG maximum)
{
    const LONG capacity = EffectiveMaximum(maximum);
    if (count == capacity) return "Full";
    const auto percent = static_cast<unsigned long long>(count < 0 ? 0 : count) * 100u / static_cast<unsigned>(capacity);
    char text[32];
    std::snprintf(text, sizeof text, "%llu%%", percent);
    return text;
}
