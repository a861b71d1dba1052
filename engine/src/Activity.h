// What a running engine would report while capturing and sending: rates of
// the four senders and the audio levels. Derived from the settings and the
// time since Initialize; nothing is captured or sent.
#pragma once

#include <utility>

#include "Backend.h"
#include "EngineState.h"

namespace ovsim {


// Zero unless initialised, valid and started with the sender's stream on; never above its maximum.
SenderRates senderRates(const EngineState &state, Sender sender, Clock::time_point now);

// Left and right level in hundredths, -3000 (silence) to 0.
std::pair<int, int> volumeLevels(const EngineState &state, Clock::time_point now);

}  // namespace ovsim
