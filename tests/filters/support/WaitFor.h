// Polls a condition with a generous deadline: loaded machines and sanitizers
// slow threads down, so tests wait for what they expect instead of sleeping.
#pragma once

#include <chrono>
#include <thread>

template <typename Condition>
bool WaitFor(Condition condition, int timeoutMs = 10000)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}
