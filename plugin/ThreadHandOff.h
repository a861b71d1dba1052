// GLib and GStreamer hand buffers, events and objects between threads under
// their own locks and atomics. Those libraries are not built with the
// thread checker, so it cannot see that ordering, and every hand-off looks
// like a race between the code that touched the object before it and the
// code that touches it after. Where our code gives an object to GStreamer
// (or takes one from it) it says so here, on the object's address: the
// checker then orders our accesses on both sides exactly as GStreamer's
// locks do. Outside the checker's builds these cost nothing.
#pragma once

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#define OSTREL_THREAD_CHECKER 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#include <sanitizer/tsan_interface.h>
#define OSTREL_THREAD_CHECKER 1
#endif
#endif

// Everything this thread did to `object` so far comes before what the
// thread that takes it next does.
inline void HandingOver(const void* object)
{
#ifdef OSTREL_THREAD_CHECKER
    __tsan_release(const_cast<void*>(object));
#else
    (void)object;
#endif
}

// What the thread that handed `object` over did comes before what this
// thread does with it now.
inline void TakingOver(const void* object)
{
#ifdef OSTREL_THREAD_CHECKER
    __tsan_acquire(const_cast<void*>(object));
#else
    (void)object;
#endif
}
