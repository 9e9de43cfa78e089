#include "adif/utf8_text.h"

#include <cstdint>
#include <cstring>

namespace vaziduvu {

size_t utf8SequenceLength(std::string_view text, size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    unsigned char low = 0x80;  // bounds of the second byte
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0;  // overlong
        else if (lead == 0xED)
            high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;  // overlong
        else if (lead == 0xF4)
            high = 0x8F;  // above U+10FFFF
    } else {
        return 0;
    }
    if (text.size() - at < length)
        return 0;
    const auto second = static_cast<unsigned char>(text[at + 1]);
    if (second < low || second > high)
        return 0;
    for (size_t i = 2; i < length; ++i) {
        if (!isUtf8Continuation(text[at + i]))
            return 0;
    }
    return length;
}

bool isValidUtf8(std::string_view text)
{
    size_t at = 0;
    while (at < text.size()) {
        const size_t length = utf8SequenceLength(text, at);
        if (length == 0)
            return false;
        at += length;
    }
    return true;
}

bool hasNonAscii(std::string_view text)
{
    // Eight bytes at a time: a whole logbook is read through here once.
    constexpr uint64_t kHighBits = 0x8080808080808080ull;
    const char *data = text.data();
    size_t at = 0;
    for (; at + 32 <= text.size(); at += 32) {
        uint64_t words[4];
        std::memcpy(words, data + at, sizeof(words));
        if (((words[0] | words[1] | words[2] | words[3]) & kHighBits) != 0)
            return true;
    }
    for (; at < text.size(); ++at) {
        if (static_cast<unsigned char>(data[at]) >= 0x80)
            return true;
    }
    return false;
}

size_t utf8CharactersEnd(std::string_view text, size_t from, size_t count)
{
    if (from > text.size() || count > text.size() - from)
        return std::string_view::npos;  // a character takes a byte at least
    size_t at = from;
    for (size_t i = 0; i < count; ++i) {
        if (at >= text.size())
            return std::string_view::npos;
        const size_t length = utf8SequenceLength(text, at);
        if (length == 0)
            return std::string_view::npos;
        at += length;
    }
    return at;
}

std::string latin1ToUtf8(std::string_view text)
{
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (const char c : text)
        appendUtf8(static_cast<unsigned char>(c), out);
    return out;
}

bool utf8ToLatin1(std::string_view text, std::string &out)
{
    for (size_t at = 0; at < text.size();) {
        const size_t length = utf8SequenceLength(text, at);
        const auto lead = static_cast<unsigned char>(text[at]);
        if (length == 1) {
            out += text[at];
        } else if (length == 2 && lead <= 0xC3) {
            out += static_cast<char>(((lead & 0x03) << 6)
                                     | (static_cast<unsigned char>(text[at + 1]) & 0x3F));
        } else {
            return false;
        }
        at += length;
    }
    return true;
}

bool appendUtf8(unsigned long codePoint, std::string &out)
{
    if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return false;
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return true;
}

}  // namespace vaziduvu
