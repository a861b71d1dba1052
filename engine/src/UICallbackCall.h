// Calling the console's UI callback. The callback is fetched under the
// engine lock and called after releasing it, so the console may call back
// into the engine from inside it.
#pragma once

namespace ovsim {

// The callback's result, or 0 when none is registered.
int callUICallback(const char *name, int *args);

}  // namespace ovsim
