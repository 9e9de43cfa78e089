#include "cli/json_writer.h"

#include "adif/utf8_text.h"

#include <charconv>

namespace vaziduvu {

namespace {

constexpr size_t kFlushAt = 1 << 16;

}  // namespace

JsonWriter::JsonWriter(std::ostream &out, bool pretty, TextEncoding encoding)
    : out_(out)
    , pretty_(pretty)
    , encoding_(encoding)
{
    buffer_.reserve(kFlushAt + 4096);
}

JsonWriter::~JsonWriter()
{
    if (!buffer_.empty())
        out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
}

void JsonWriter::flushIfFull()
{
    if (buffer_.size() < kFlushAt)
        return;
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}

void JsonWriter::newLine()
{
    if (!pretty_)
        return;
    buffer_ += '\n';
    buffer_.append(2 * hasMember_.size(), ' ');
}

void JsonWriter::beforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (hasMember_.empty())
        return;
    if (hasMember_.back())
        buffer_ += ',';
    hasMember_.back() = true;
    newLine();
}

void JsonWriter::beginObject()
{
    beforeValue();
    buffer_ += '{';
    hasMember_.push_back(false);
}

void JsonWriter::endObject()
{
    const bool members = hasMember_.back();
    hasMember_.pop_back();
    if (members)
        newLine();
    buffer_ += '}';
    flushIfFull();
}

void JsonWriter::beginArray()
{
    beforeValue();
    buffer_ += '[';
    hasMember_.push_back(false);
}

void JsonWriter::endArray()
{
    const bool members = hasMember_.back();
    hasMember_.pop_back();
    if (members)
        newLine();
    buffer_ += ']';
    flushIfFull();
}

void JsonWriter::key(std::string_view name)
{
    beforeValue();
    appendString(name);
    buffer_ += pretty_ ? ": " : ":";
    afterKey_ = true;
}

void JsonWriter::value(std::string_view text)
{
    beforeValue();
    appendString(text);
    flushIfFull();
}

void JsonWriter::value(int64_t number)
{
    beforeValue();
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    buffer_.append(digits, static_cast<size_t>(end - digits));
}

void JsonWriter::value(bool flag)
{
    beforeValue();
    buffer_ += flag ? "true" : "false";
}

void JsonWriter::appendString(std::string_view text)
{
    static const char kHex[] = "0123456789abcdef";
    buffer_ += '"';
    size_t plainFrom = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x80 && c != '"' && c != '\\')
            continue;
        if (byte >= 0x80 && encoding_ == TextEncoding::Utf8) {
            if (const size_t length = utf8SequenceLength(text, i)) {
                i += length - 1;
                continue;
            }
        }
        // Plain text goes in as one piece; only what needs it is rewritten.
        buffer_.append(text.data() + plainFrom, i - plainFrom);
        plainFrom = i + 1;
        switch (c) {
        case '"':
            buffer_ += "\\\"";
            break;
        case '\\':
            buffer_ += "\\\\";
            break;
        case '\b':
            buffer_ += "\\b";
            break;
        case '\f':
            buffer_ += "\\f";
            break;
        case '\n':
            buffer_ += "\\n";
            break;
        case '\r':
            buffer_ += "\\r";
            break;
        case '\t':
            buffer_ += "\\t";
            break;
        default:
            if (byte < 0x20) {
                buffer_ += "\\u00";
                buffer_ += kHex[byte >> 4];
                buffer_ += kHex[byte & 0xF];
            } else {
                buffer_ += static_cast<char>(0xC0 | (byte >> 6));
                buffer_ += static_cast<char>(0x80 | (byte & 0x3F));
            }
        }
    }
    buffer_.append(text.data() + plainFrom, text.size() - plainFrom);
    buffer_ += '"';
}

void JsonWriter::finish()
{
    buffer_ += '\n';
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
    out_.flush();
}

}  // namespace vaziduvu
