// gtest entry with the console's application object, so widgets and menus
// can be created and events go through its exception handling.
#include "SenderApplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  TSenderApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

#if defined(__SANITIZE_THREAD__)
// Qt is not built with ThreadSanitizer. Its own memory accesses are invisible
// to it, and so are its locks (futex-based QMutex, atomics in inline
// assembly); it still sees the allocations Qt makes, and reports an event
// posted on a worker thread and freed by the event loop as a race although
// the posted-event queue's lock orders the two. called_from_lib ignores
// exactly the calls made from inside Qt Core; every access our own code
// makes stays checked.
extern "C" const char* __tsan_default_suppressions() { return "called_from_lib:libQt6Core.so.6\n"; }
#endif
