// The reader's steps before the tags: the text's facts, the header and the
// balance of brackets (the data section is adif_parser_data.cpp).
#include "adif/adif_parser.h"

#include "adif/field_catalogue.h"
#include "adif/tag_scan.h"
#include "adif/text.h"
#include "adif/utf8_text.h"
#include "adif/value_length.h"

#include <algorithm>

namespace vaziduvu {

AdifParser::AdifParser(AdifFile &file, bool ownNames)
    : file_(file)
    , current_(file.mode() == AdifMode::Current)
    , ownNames_(ownNames)
{
    names_.reserve(128);
}

TextFacts AdifParser::factsOf(std::string_view text, bool current)
{
    TextFacts facts;
    survey(facts, TextWindow{text, 0, true}, current);
    return facts;
}

bool AdifParser::survey(TextFacts &facts, const TextWindow &window, bool current)
{
    const std::string_view text = window.text;
    // Four bytes are left for the next window (unless the text ends here), so
    // a header marker or a character never straddles two windows.
    const size_t end = window.atEnd ? window.end() : std::max(window.end(), size_t{4}) - 4;
    if (end > facts.surveyed) {
        const size_t from = facts.surveyed - window.base;
        const size_t to = end - window.base;
        // A zero byte ends the look: the text is refused there.
        if (const void *zero = std::memchr(text.data() + from, 0, to - from)) {
            facts.zeroAt
                = window.base + static_cast<size_t>(static_cast<const char *>(zero) - text.data());
            facts.size = window.end();
            return true;
        }
        if (facts.surveyed == 0) {
            facts.start
                = current && startsWithUtf8ByteOrderMark(text) ? kUtf8ByteOrderMark.size() : 0;
            facts.startsWithTag = facts.start < text.size() && text[facts.start] == '<';
        }
        if (current && facts.validUtf8) {
            if (hasNonAscii(text.substr(from, to - from))) {
                facts.nonAscii = true;
                size_t at = std::max(facts.utf8From, facts.surveyed) - window.base;
                while (at < to) {
                    const size_t length = utf8SequenceLength(text, at);
                    if (length == 0) {
                        facts.validUtf8 = false;
                        break;
                    }
                    at += length;
                }
                facts.utf8From = window.base + at;
            } else {
                facts.utf8From = std::max(facts.utf8From, end);
            }
        }
        if (facts.headerAt == kNone) {
            const size_t searchFrom
                = std::max(from, facts.start > window.base ? facts.start - window.base : 0);
            for (size_t p = findIn(text, '<', searchFrom); p != kNone && p < to;
                 p = findIn(text, '<', p + 1)) {
                if (equalsMarker(text.substr(p, 5), "<EOH>")) {
                    facts.headerAt = window.base + p;
                    break;
                }
            }
        }
        facts.surveyed = end;
    }
    if (!window.atEnd)
        return false;
    facts.size = window.end();
    facts.utf8 = current && (facts.start > 0 || (facts.nonAscii && facts.validUtf8));
    return true;
}

void AdifParser::fail(ParseStatus status, size_t position, size_t length)
{
    file_.outcome_.status = status;
    file_.outcome_.position = static_cast<int32_t>(position);
    file_.outcome_.length = static_cast<int32_t>(length);
}

bool AdifParser::readPreamble(const TextFacts &facts, std::string_view headerText)
{
    if (facts.size == 0) {
        fail(ParseStatus::NoHeader, 0, 0);
        return false;
    }
    // A zero byte is no text: the file is refused where it stands.
    if (facts.zeroAt != kNone) {
        fail(ParseStatus::ZeroByte, facts.zeroAt, 1);
        return false;
    }
    // In the Current mode a UTF-8 byte-order mark is no part of the header:
    // the text is read from after it.
    if (facts.utf8)
        file_.textEncoding_ = TextEncoding::Utf8;
    utf8_ = facts.utf8;
    if (facts.start >= facts.size) {
        fail(ParseStatus::NoHeader, 0, 0);
        return false;
    }
    file_.headerExpected_ = !facts.startsWithTag;
    if (facts.headerAt != kNone) {
        file_.headerText_.assign(headerText);
        ++file_.leftBracketCount_;
        ++file_.rightBracketCount_;
    }
    dataStart_ = facts.start;
    if (file_.headerExpected_) {
        if (facts.headerAt == kNone) {
            fail(ParseStatus::NoHeader, 0, 0);
            return false;
        }
        dataStart_ = facts.headerAt + 5;
    } else if (facts.headerAt != kNone) {
        fail(ParseStatus::BracketMismatch, facts.start + 1, 15);
        return false;
    }
    return true;
}

size_t AdifParser::bracketsNeedFrom() const
{
    size_t from = std::min(openFrom_, closeFrom_);
    // The tag text from the last '<' is read again at its '>'.
    if (last_ == '<' && closeFrom_ - lastAt_ < static_cast<size_t>(AdifFile::kMaxTagScan))
        from = std::min(from, lastAt_);
    return from;
}

// The brackets are visited in order, each found with memchr from the one
// before. In the Current mode the value a tag's length delimits is skipped,
// brackets and all.
AdifParser::Step AdifParser::checkBrackets(const TextWindow &window, size_t stopAt)
{
    const std::string_view text = window.text;
    const size_t base = window.base;
    size_t nextOpen = findIn(text, '<', openFrom_ - base);
    size_t nextClose = findIn(text, '>', closeFrom_ - base);
    while (nextOpen != kNone || nextClose != kNone) {
        const bool open = nextOpen < nextClose;
        const size_t p = open ? nextOpen : nextClose;
        if (base + p >= stopAt)
            return Step::Paused;
        const char c = open ? '<' : '>';
        if (c == last_) {
            fail(ParseStatus::BracketMismatch, lastAt_, base + p + 1 - lastAt_);
            return Step::Done;
        }
        size_t resume = p + 1;
        bool skipped = false;
        if (current_ && !open && last_ == '<'
            && base + p - lastAt_ < static_cast<size_t>(AdifFile::kMaxTagScan)) {
            const std::string_view tag = text.substr(lastAt_ - base, base + p - lastAt_ + 1);
            const size_t reach = valueReach(tag, p + 1, true);
            if (!holdsTagAfter(window, reach))
                break;
            const int32_t declared = declaredLengthOf(tag);
            const size_t valueEnd
                = declared > 0 ? delimitedValueEnd(text, p + 1, declared, utf8_) : kNone;
            if (valueEnd != kNone) {
                resume = valueEnd;
                skipped = true;
            }
        }
        if (open && base + p >= dataStart_)
            ++dataOpenings_;
        last_ = c;
        lastAt_ = base + p;
        if (skipped) {
            openFrom_ = base + resume;
            nextOpen = findIn(text, '<', resume);
        }
        if (open) {
            openFrom_ = base + resume;
            nextOpen = findIn(text, '<', resume);
        } else {
            closeFrom_ = base + resume;
            nextClose = findIn(text, '>', resume);
        }
    }
    if (nextOpen == kNone && nextClose == kNone && window.atEnd)
        return Step::Done;
    // The next bracket lies beyond the window: what is searched is known to hold none.
    if (nextOpen == kNone)
        openFrom_ = std::max(openFrom_, window.end());
    if (nextClose == kNone)
        closeFrom_ = std::max(closeFrom_, window.end());
    return Step::NeedMore;
}

bool AdifParser::canCheckBracketsWithData() const
{
    // The header's last bracket closed, and nothing of it reaches into the data.
    return last_ != '<' && closeFrom_ <= dataStart_ && openFrom_ <= dataStart_;
}

}  // namespace vaziduvu
