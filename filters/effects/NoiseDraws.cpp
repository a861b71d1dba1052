#include "NoiseDraws.h"

#include "CpuDispatch.h"
#include "NoisePass.h"

void DrawNoise(NoiseDraws& draws, std::uint32_t state, const NoiseDrawing& drawing)
{
#if defined(__x86_64__)
    if (ActiveInstructionSet() >= InstructionSet::Avx2) return DrawNoiseAvx2(draws, state, drawing);
#endif
    NoiseRandom random(state);
    for (std::size_t i = 0; i < NoiseDraws::kCount; ++i) {
        const int value = random.Next();
        const int gap = static_cast<int>(static_cast<float>(value) * drawing.gapScale);
        draws.value[i] = value;
        draws.gap[i] = gap ? static_cast<std::uint32_t>(gap) : 1;
        draws.factor[i] = 1.0f - static_cast<float>(value) * drawing.unit * drawing.depth;
        draws.state[i] = random.State();
    }
}
