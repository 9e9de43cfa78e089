#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vaziduvu {

// The few facts about UTF-8 the reader needs to decide how a log's bytes are
// shown and whether a declared length counts bytes or characters. The bytes
// themselves are never converted.

// The three bytes of a UTF-8 byte-order mark.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

inline bool startsWithUtf8ByteOrderMark(std::string_view text)
{
    return text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark;
}

// A byte that can only continue a multi-byte sequence (10xxxxxx).
inline bool isUtf8Continuation(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Length of the well-formed character at text[at] (1 for ASCII), 0 when
// none starts there (overlong, surrogate, above U+10FFFF, cut short).
size_t utf8SequenceLength(std::string_view text, size_t at);

// True when the text is well-formed UTF-8: no overlong forms, no surrogates,
// nothing above U+10FFFF, no sequence cut short.
bool isValidUtf8(std::string_view text);

// True when some byte is not ASCII.
bool hasNonAscii(std::string_view text);

// The offset just after `count` characters read from `from`, a character
// being one well-formed sequence; npos when the text ends first or a
// malformed sequence comes first.
size_t utf8CharactersEnd(std::string_view text, size_t from, size_t count);

// The crossing between a Latin-1 log and a UTF-8 file (ADX, CSV): every
// Latin-1 byte is one character, U+0000..U+00FF.
std::string latin1ToUtf8(std::string_view text);

// The Latin-1 bytes of a UTF-8 text; false (out untouched beyond what was
// appended) when the text is malformed or holds a character above U+00FF.
bool utf8ToLatin1(std::string_view text, std::string &out);

// Appends the UTF-8 form of a code point (U+0000..U+10FFFF, no surrogates);
// false for any other number.
bool appendUtf8(unsigned long codePoint, std::string &out);

}  // namespace vaziduvu
