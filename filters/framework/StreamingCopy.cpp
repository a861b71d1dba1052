#include "StreamingCopy.h"

#include <algorithm>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

void CopyPastCaches(std::uint8_t* out, const std::uint8_t* in, std::size_t bytes)
{
#if defined(__x86_64__)
    // Streaming stores need 16-byte aligned addresses: the bytes before the
    // first one, and the tail after the last whole 64-byte step, go plainly.
    const std::size_t head = std::min<std::size_t>(bytes, (16 - reinterpret_cast<std::uintptr_t>(out) % 16) % 16);
    std::memcpy(out, in, head);
    std::size_t i = head;
    for (; i + 64 <= bytes; i += 64) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 16));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 32));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i + 48));
        auto* to = reinterpret_cast<__m128i*>(out + i);
        _mm_stream_si128(to, a);
        _mm_stream_si128(to + 1, b);
        _mm_stream_si128(to + 2, c);
        _mm_stream_si128(to + 3, d);
    }
    std::memcpy(out + i, in + i, bytes - i);
    _mm_sfence();
#else
    std::memcpy(out, in, bytes);
#endif
}
