#include "adif/value_length.h"

#include "adif/text.h"
#include "adif/utf8_text.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vaziduvu {

namespace {

// True when every byte from `from` up to the next '<' (or the end) is one
// that trimming removes.
bool blankBeforeNextTag(std::string_view text, size_t from)
{
    for (size_t i = from; i < text.size() && text[i] != '<'; ++i) {
        if (static_cast<unsigned char>(text[i]) >= 33)
            return false;
    }
    return true;
}

bool noCloseBeforeNextTag(std::string_view text, size_t from)
{
    for (size_t i = from; i < text.size() && text[i] != '<'; ++i) {
        if (text[i] == '>')
            return false;
    }
    return true;
}

// Where a value ends whose declared length runs into the next tag because
// the log went through a line-ending conversion (CR LF turned into LF):
// counting each lone LF as the CR LF it was must end the value where only
// blanks are left before that tag. npos when it does not.
size_t lineEndConvertedValueEnd(std::string_view text, size_t from, size_t length)
{
    // The declared bytes must reach a tag.
    if (from >= text.size()
        || std::memchr(text.data() + from, '<', std::min(length, text.size() - from)) == nullptr)
        return std::string_view::npos;
    size_t counted = 0;
    size_t i = from;
    bool loneLineFeed = false;
    for (; i < text.size() && counted < length; ++i) {
        const bool lone = text[i] == '\n' && text[i - 1] != '\r';
        loneLineFeed = loneLineFeed || lone;
        counted += lone ? 2 : 1;
    }
    if (!loneLineFeed || counted != length || !blankBeforeNextTag(text, i))
        return std::string_view::npos;
    const size_t overrun = text.find('<', i);
    return overrun != std::string_view::npos && overrun < from + length ? i
                                                                        : std::string_view::npos;
}

}  // namespace

bool parseLength(std::string_view text, int32_t &length)
{
    if (text.empty())
        return false;
    int64_t value = 0;
    for (char c : text) {
        if (!isAsciiDigit(c))
            return false;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int32_t>::max())
            return false;
    }
    length = static_cast<int32_t>(value);
    return true;
}

int32_t declaredLengthOf(std::string_view tag)
{
    const std::string_view inner = tag.substr(1, tag.size() - 2);
    const size_t colon = inner.find(':');
    if (colon == std::string_view::npos || colon == 0)
        return -1;
    const std::string_view specifier = inner.substr(colon + 1);
    int32_t length = 0;
    return parseLength(specifier.substr(0, specifier.find(':')), length) ? length : -1;
}

size_t delimitedValueEnd(std::string_view text, size_t from, int32_t declared, bool utf8,
                         bool *lineEndsCounted)
{
    const size_t length = static_cast<size_t>(declared);
    const bool bytesFit = length <= text.size() - from;
    const size_t byteEnd = from + length;
    if (const size_t converted = lineEndConvertedValueEnd(text, from, length);
        converted != std::string_view::npos) {
        if (lineEndsCounted != nullptr)
            *lineEndsCounted = true;
        return converted;
    }
    if (utf8) {
        const bool cleanBytes = bytesFit
            && (byteEnd == text.size() || !isUtf8Continuation(text[byteEnd]))
            && blankBeforeNextTag(text, byteEnd);
        if (!cleanBytes) {
            const size_t characterEnd = utf8CharactersEnd(text, from, length);
            if (characterEnd != std::string_view::npos && characterEnd != byteEnd
                && blankBeforeNextTag(text, characterEnd))
                return characterEnd;
        }
    }
    if (bytesFit && noCloseBeforeNextTag(text, byteEnd))
        return byteEnd;
    return std::string_view::npos;
}

}  // namespace vaziduvu
