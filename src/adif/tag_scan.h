#pragma once

// The small scans the reader's steps share: finding a byte or a bracket,
// comparing a marker or a name, and how far past a tag its value rules
// may look. Internal to the reader (adif_parser*.cpp).

#include "adif/adif_parser.h"
#include "adif/text.h"
#include "adif/value_length.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string_view>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace vaziduvu {

inline constexpr size_t kNone = std::string_view::npos;

// Case-insensitive comparison with an upper-case ASCII marker.
inline bool equalsMarker(std::string_view text, std::string_view marker)
{
    if (text.size() != marker.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (upperChar(text[i]) != marker[i])
            return false;
    }
    return true;
}

// The offset in `text` of the first `c` at or after `from`; npos when none.
inline size_t findIn(std::string_view text, char c, size_t from)
{
    if (from >= text.size())
        return kNone;
    const void *hit = std::memchr(text.data() + from, c, text.size() - from);
    return hit == nullptr ? kNone
                          : static_cast<size_t>(static_cast<const char *>(hit) - text.data());
}

// The offset of the first '<' or '>' in data[from, to), `to` when none; the
// bytes up to `size` may be read. Values and tags are short: one block of
// sixteen bytes mostly settles it.
inline size_t firstBracket(const char *data, size_t from, size_t to, size_t size)
{
#ifdef __SSE2__
    // '<' (0x3C) and '>' (0x3E) are the only bytes that read '>' with bit 1 set.
    const __m128i bit = _mm_set1_epi8(2);
    const __m128i close = _mm_set1_epi8('>');
    while (from < to && from + 16 <= size) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + from));
        const auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_or_si128(block, bit), close)));
        if (mask != 0)
            return std::min(to, from + static_cast<size_t>(__builtin_ctz(mask)));
        from += 16;
    }
#else
    (void)size;
#endif
    for (; from < to; ++from) {
        if ((data[from] | 2) == '>')
            return from;
    }
    return to;
}

// True when the text at `at` (sixteen bytes to read) starts with the first
// `length` bytes of `kept` (at most sixteen).
inline bool startsWithBlock(const char *at, const char (&kept)[16], size_t length)
{
#ifdef __SSE2__
    const __m128i text = _mm_loadu_si128(reinterpret_cast<const __m128i *>(at));
    const __m128i held = _mm_loadu_si128(reinterpret_cast<const __m128i *>(kept));
    const auto same = static_cast<uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(text, held)));
    const uint32_t wanted = (uint32_t{1} << length) - 1;
    return (same & wanted) == wanted;
#else
    return std::memcmp(at, kept, length) == 0;
#endif
}

// The offset of the '<' after a value of `length` bytes at `from` and the
// blanks (bytes up to ' ') after it, when all of it lies in the sixteen bytes
// from `from` (which may be read) and the value holds neither bracket; kNone
// otherwise (the long way decides).
inline size_t tagAfterShortValue(const char *data, size_t from, size_t length)
{
#ifdef __SSE2__
    if (length >= 16)
        return kNone;
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + from));
    // '<' (0x3C) and '>' (0x3E) are the only bytes that read '>' with bit 1 set.
    const auto brackets = static_cast<uint32_t>(_mm_movemask_epi8(
        _mm_cmpeq_epi8(_mm_or_si128(block, _mm_set1_epi8(2)), _mm_set1_epi8('>'))));
    const auto blanks = static_cast<uint32_t>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(block, _mm_set1_epi8(' ')), block)));
    const uint32_t value = (uint32_t{1} << length) - 1;
    const uint32_t after = brackets & ~value;
    if ((brackets & value) != 0 || after == 0)
        return kNone;
    const auto at = static_cast<uint32_t>(__builtin_ctz(after));
    const uint32_t between = ((uint32_t{1} << at) - 1) & ~value;
    if ((between & ~blanks) != 0 || data[from + at] != '<')
        return kNone;
    return from + at;
#else
    (void)data;
    (void)from;
    (void)length;
    return kNone;
#endif
}

// The first ':' of a tag's text (short: a plain loop beats a call).
inline size_t colonIn(std::string_view text)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ':')
            return i;
    }
    return kNone;
}

// How far past a tag's '>' the value rules may look: the declared length
// read as characters of up to four bytes, then to the next '<'.
inline size_t valueReach(std::string_view tag, size_t valueAt, bool current)
{
    if (!current)
        return valueAt;
    const int32_t declared = declaredLengthOf(tag);
    return declared > 0 ? valueAt + 4 * static_cast<size_t>(declared) : valueAt;
}

// True when the window holds a '<' at or after `reach`, so every rule that
// reads up to the next tag from there finds it in the window.
inline bool holdsTagAfter(const TextWindow &window, size_t localReach)
{
    return window.atEnd || findIn(window.text, '<', localReach) != kNone;
}

}  // namespace vaziduvu
