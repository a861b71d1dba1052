#include "UICallbackCall.h"

#include "Engine.h"

namespace ovsim {

int callUICallback(const char *name, int *args) {
  const UICallback callback = withEngine([](EngineState &state) { return state.callback; });
  if (!callback.function) return 0;
  return callback.function(callback.context, name, args);
}

}  // namespace ovsim
