// The data section: the tags read one by one, the common ones the short
// way, and the names they bear.
#include "adif/adif_parser.h"

#include "adif/field_catalogue.h"
#include "adif/tag_scan.h"
#include "adif/text.h"
#include "adif/value_length.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace vaziduvu {

namespace {

constexpr size_t kProgressStep = 64 * 1024;

}  // namespace

void AdifParser::discardData(LoadedText &out)
{
    out.clearTags();
    out.tagNames.clear();
    out.nameFacts.clear();
    file_.fieldNames_.clear();
    file_.fieldOfTagName_.clear();
    file_.tagIndexByName_.clear();
    const int header = file_.headerExpected_ ? 1 : 0;  // a header was read
    file_.leftBracketCount_ = header;
    file_.rightBracketCount_ = header;
    file_.recordCount_ = 0;
    file_.lastRecordStart_ = -1;
    file_.lineEndCountedValues_ = 0;
    file_.firstLineEndCountedValue_ = -1;
}

const AdifParser::NameInfo &AdifParser::nameInfo(std::string_view rawName, LoadedText &out)
{
    const NameInfo *follower = previous_->follower;
    if (follower != nullptr && follower->spelling == rawName) {
        previous_ = follower;
        return *follower;
    }
    auto found = names_.find(rawName);
    if (found == names_.end()) {
        std::string name = upperText(rawName);
        NameInfo described;
        described.isTimeOn = isTimeFieldName(name);
        described.bracketFree = rawName.find_first_of("<>") == std::string_view::npos;
        if (described.bracketFree && rawName.size() + 2 <= sizeof described.opening) {
            described.opening[0] = '<';
            rawName.copy(described.opening + 1, rawName.size());
            described.opening[rawName.size() + 1] = ':';
            described.openingLength = static_cast<uint8_t>(rawName.size() + 2);
        }
        if (const auto entry = findCatalogueEntry(name)) {
            described.known = true;
            const uint8_t code = typeCodeOfLetter(catalogueLetterAt(*entry));
            described.entryType
                = code == TypeInvalid ? static_cast<uint8_t>(TypeOtherLetter) : code;
            described.prefixType = catalogueTypeOf(name);
        }
        const auto indexed
            = file_.tagIndexByName_.emplace(name, static_cast<int32_t>(out.tagNames.size()));
        if (indexed.second) {
            NameFacts facts;
            facts.known = described.known;
            facts.isTimeOn = described.isTimeOn;
            if (described.known) {
                facts.typeWithLength = described.entryType;
                facts.typeWithoutLength = described.prefixType;
            }
            out.nameFacts.push_back(facts);
            out.tagNames.push_back(std::move(name));
            file_.fieldOfTagName_.push_back(-1);  // listed once a tag of it is read
        }
        described.index = indexed.first->second;
        described.fieldWord = LoadedText::PlainTags::nameParts(described.index);
        std::string_view key = rawName;
        if (ownNames_)
            key = spellings_.emplace_back(rawName);
        found = names_.emplace(key, described).first;
        found->second.spelling = found->first;
    }
    const NameInfo *info = &found->second;
    previous_->follower = info;
    previous_ = info;
    return *info;
}

// A field's name is listed the first time a tag of it is read.
void AdifParser::noteFieldName(int32_t nameIndex, LoadedText &out)
{
    int &field = file_.fieldOfTagName_[static_cast<size_t>(nameIndex)];
    if (field < 0) {
        const std::string &name = out.tagNames[static_cast<size_t>(nameIndex)];
        if (name != "EOR") {
            field = static_cast<int>(file_.fieldNames_.size());
            file_.fieldNames_.push_back(name);
        }
    }
}

// The name, length and type of a field tag ("<NAME:length:type>"); false
// when the tag fails (the outcome says why).
bool AdifParser::readNameAndLength(std::string_view inner, TagFields &stored, size_t p,
                                   LoadedText &out)
{
    const size_t tagSize = inner.size() + 2;
    auto failTag = [&](ParseStatus code) {
        stored.kind = TagNone;
        stored.tagLength = 0;
        fail(code, p, tagSize);
        out.push(stored);
        return false;
    };
    const size_t colon = colonIn(inner);
    const std::string_view rawName = inner.substr(0, colon);
    if (rawName.empty())
        return failTag(ParseStatus::MissingName);
    const NameInfo &info = nameInfo(rawName, out);
    stored.nameIndex = info.index;
    stored.isTimeOn = info.isTimeOn;
    if (recordStart_ == kNone)
        recordStart_ = p;
    stored.kind = info.known ? TagKnownField : TagUserField;
    if (colon == std::string_view::npos) {
        stored.dataType = info.known ? info.prefixType : static_cast<uint8_t>(TypeCharacter);
        return true;
    }
    stored.hasLength = true;
    stored.dataType = info.known ? info.entryType : static_cast<uint8_t>(TypeCharacter);
    const std::string_view specifier = inner.substr(colon + 1);
    const size_t typeColon = colonIn(specifier);
    if (typeColon != std::string_view::npos)
        stored.hasType = true;
    if (!parseLength(specifier.substr(0, typeColon), stored.declaredLength))
        return failTag(ParseStatus::BadLength);
    if (typeColon != std::string_view::npos) {
        const std::string_view typePart = specifier.substr(typeColon + 1);
        const uint8_t code = typePart.empty() ? static_cast<uint8_t>(TypeInvalid)
                                              : typeCodeOfLetter(upperChar(typePart[0]));
        if (code == TypeInvalid)
            return failTag(ParseStatus::BadType);
        stored.dataType = code;
    }
    return true;
}

// The quick loop of readPlainFields, on its own so that what it keeps stays
// in registers: field tags of the predicted name with a length of one or two
// digits below 16, a value without brackets and blanks up to the next '<'
// (the Current mode delimits such a value by its length whatever the rules
// say), and end-of-record markers with blanks up to the next '<'. Stops
// before any other tag, and once the position reaches `stopAt`.
[[gnu::noinline]] void AdifParser::readQuickTags(QuickRun &run, const char *data, size_t size,
                                                 size_t stopAt, std::vector<uint32_t> &anchors)
{
    size_t local = run.local;
    const NameInfo *previous = run.previous;
    size_t recordStart = run.recordStart;
    LoadedText::PlainTags::Room room = run.room;
    int tags = 0;
    int32_t records = 0;
    // Each read below stays in the 48 bytes from the tag on.
    while (size - local >= 48 && room.next != room.end && local < stopAt) {
        const NameInfo *predicted = previous->follower;
        const size_t opening = predicted != nullptr ? predicted->quickOpening : 0;
        if (opening == 0 || !startsWithBlock(data + local, predicted->opening, opening)) {
            if (!run.markers || (data[local + 1] | 0x20) != 'e' || (data[local + 2] | 0x20) != 'o'
                || (data[local + 3] | 0x20) != 'r' || data[local + 4] != '>')
                break;
            const size_t next = tagAfterShortValue(data, local + 5, 0);
            if (next == kNone
                || !LoadedText::PlainTags::put(
                    room, anchors, local,
                    LoadedText::PlainTags::endOfRecordParts(next - local - 5)))
                break;
            recordStart = kNone;
            ++records;
            ++tags;
            local = next;
            continue;
        }
        const size_t digits = local + opening;
        const unsigned first = static_cast<unsigned char>(data[digits]) - unsigned{'0'};
        const unsigned second = static_cast<unsigned char>(data[digits + 1]) - unsigned{'0'};
        const bool two = second <= 9;
        const size_t q = digits + (two ? 2 : 1);  // the '>'
        const unsigned declared = two ? first * 10 + second : first;
        if (first > 9 || data[q] != '>' || declared >= 16)
            break;
        const size_t valueFrom = q + 1;
        const size_t next = tagAfterShortValue(data, valueFrom, declared);
        if (next == kNone
            || !LoadedText::PlainTags::put(room, anchors, local,
                                           predicted->fieldWord | (q - local + 1) << 20
                                               | uint64_t{declared} << 28
                                               | (next - valueFrom - declared) << 39))
            break;
        if (recordStart == kNone)
            recordStart = local;
        previous = predicted;
        ++tags;
        local = next;
    }
    run.local = local;
    run.previous = previous;
    run.recordStart = recordStart;
    run.tags = tags;
    run.records = records;
    run.room = room;
}

// The common tags, read the short way, one after the other from `local` on:
// field tags "<NAME:LENGTH>" (no type, no bracket inside), each with a value
// and then blanks up to the next '<' where no rule has anything to say, and
// end-of-record markers with blanks or a note up to the next '<', in a whole
// text whose brackets are checked on the way. Each gives exactly what
// readTag gives. Stops before any other tag (which readTag then reads) and
// once the position reaches `stopAt`; Other when not one tag was read.
AdifParser::TagStep AdifParser::readPlainFields(const TextWindow &window, size_t local,
                                                size_t stopAt, LoadedText &out)
{
    constexpr size_t kLongestName = 200;
    constexpr size_t kLongestLength = 9;  // digits: below 2^31 whatever they are
    if (!window.atEnd || !withData_ || window.base != 0)
        return TagStep::Other;
    // The state the loop changes is kept in locals, given back once it stops
    // (as members, every stored tag could overwrite them for all the
    // compiler knows, so it would read them again after each).
    const char *const data = window.text.data();
    const size_t size = window.text.size();
    const bool current = current_;
    // Markers are left to readTag where a batch pauses or past Classic's limit.
    const int32_t markerLimit = recordsLeft_ > 0 ? 0
        : current                                ? std::numeric_limits<int32_t>::max()
                                                 : AdifFile::kRecordLimit;
    const int slotLimit = current ? std::numeric_limits<int>::max() : AdifFile::kTagLimit;
    const NameInfo *previous = previous_;
    size_t recordStart = recordStart_;
    int32_t records = file_.recordCount_;
    int slot = slot_;  // each tag read adds one, and a pair of brackets
    bool ended = false;
    LoadedText::PlainTags tags(out);
    LoadedText::PlainTags::Room room = tags.room();
    // A tag that does not fit its stored form is kept whole.
    const auto pushWhole = [&tags, &room](const TagFields &stored) {
        tags.update(room);
        tags.push(stored);
        room = tags.room();
    };
    for (;;) {
        if (current) {
            QuickRun run{local, previous, recordStart, recordsLeft_ <= 0, 0, 0, room};
            readQuickTags(run, data, size, stopAt, out.anchors);
            local = run.local;
            previous = run.previous;
            recordStart = run.recordStart;
            slot += run.tags;
            records += run.records;
            room = run.room;
        }
        if (local >= stopAt || size - local < 8)
            break;
        tags.update(room);
        tags.makeRoom();
        room = tags.room();
        size_t next = 0;
        // The end-of-record marker, followed by blanks or a note up to the next '<'.
        // (A byte with bit 5 set reads 'e' only for 'E' and 'e', and so on.)
        if ((data[local + 1] | 0x20) == 'e' && (data[local + 2] | 0x20) == 'o'
            && (data[local + 3] | 0x20) == 'r' && data[local + 4] == '>') {
            if (records >= markerLimit)
                break;
            next = firstBracket(data, local + 5, size, size);
            if (next == size || data[next] != '<')
                break;
            ++records;
            recordStart = kNone;
            const size_t blanks = next - local - 5;
            const uint64_t parts = LoadedText::PlainTags::endOfRecordParts(blanks);
            if (parts == 0 || !LoadedText::PlainTags::put(room, out.anchors, local, parts)) {
                TagFields stored;
                stored.tagOffset = static_cast<int32_t>(local);
                stored.kind = TagEndOfRecord;
                stored.dataType = TypeMarker;
                stored.tagLength = 5;
                stored.valueLength = static_cast<int32_t>(blanks);
                pushWhole(stored);
            }
        } else {
            // NAME up to the first ':', neither empty nor holding a bracket.
            // Records mostly repeat their field order, so the name that
            // followed the last one is tried first (a name kept holds no ':').
            const size_t nameFrom = local + 1;
            size_t colon = nameFrom;
            const NameInfo *predicted = previous->follower;
            if (predicted != nullptr) {
                const size_t length = predicted->spelling.size();
                const bool same = predicted->openingLength != 0 && size - local >= 16
                    ? startsWithBlock(data + local, predicted->opening, predicted->openingLength)
                    : predicted->bracketFree && length + 1 < size - nameFrom
                        && data[nameFrom + length] == ':'
                        && std::memcmp(data + nameFrom, predicted->spelling.data(), length) == 0;
                if (same)
                    colon = nameFrom + length;
                else
                    predicted = nullptr;
            }
            if (predicted == nullptr) {
                const size_t nameLimit = std::min(size, nameFrom + kLongestName);
                while (colon < nameLimit && data[colon] != ':') {
                    if ((data[colon] | 2) == '>')
                        break;
                    ++colon;
                }
                if (colon == nameFrom || colon == nameLimit || data[colon] != ':')
                    break;
            }
            // LENGTH: digits up to the '>'.
            size_t q = colon + 1;
            const size_t digitsLimit = std::min(size, q + kLongestLength + 1);
            uint32_t declared = 0;
            while (q < digitsLimit && isAsciiDigit(data[q])) {
                declared = declared * 10 + static_cast<uint32_t>(data[q] - '0');
                ++q;
            }
            if (q == colon + 1 || q == digitsLimit || data[q] != '>')
                break;
            // The value and the blanks after it. The Current mode delimits a
            // value by its length: without a bracket in it and with only blanks
            // after it up to the next tag, no other reading of the length
            // applies. Otherwise the data runs to the next bracket, which must
            // be a '<'.
            const size_t valueFrom = q + 1;
            size_t valueLength = 0;
            if (current && declared > 0) {
                const size_t valueEnd = valueFrom + declared;
                if (valueEnd >= size || firstBracket(data, valueFrom, valueEnd, size) != valueEnd)
                    break;
                next = valueEnd;
                while (next < size && static_cast<unsigned char>(data[next]) < 33)
                    ++next;
                if (next == size || data[next] != '<')
                    break;
                valueLength = declared;
            } else {
                next = firstBracket(data, valueFrom, size, size);
                if (next == size || data[next] != '<')
                    break;
                valueLength = std::min(next - valueFrom, static_cast<size_t>(declared));
            }

            // As readTag and readNameAndLength would have it.
            if (predicted == nullptr) {
                previous_ = previous;
                predicted = &nameInfo(std::string_view(data + nameFrom, colon - nameFrom), out);
            }
            const NameInfo &info = *predicted;
            previous = &info;
            if (recordStart == kNone)
                recordStart = local;
            if (!info.listed) {
                noteFieldName(info.index, out);
                info.listed = true;
                if (info.fieldWord != 0)
                    info.quickOpening = info.openingLength;
            }
            const size_t tagLength = q - local + 1;
            const size_t commentLength = next - valueFrom - valueLength;
            const uint64_t parts = LoadedText::PlainTags::fieldParts(
                tagLength, valueLength, commentLength, declared - valueLength, info.index);
            if (parts == 0 || !LoadedText::PlainTags::put(room, out.anchors, local, parts)) {
                TagFields stored;
                stored.tagOffset = static_cast<int32_t>(local);
                stored.nameIndex = info.index;
                stored.isTimeOn = info.isTimeOn;
                stored.kind = info.known ? TagKnownField : TagUserField;
                stored.hasLength = true;
                stored.dataType = info.known ? info.entryType : static_cast<uint8_t>(TypeCharacter);
                stored.declaredLength = static_cast<int32_t>(declared);
                stored.tagLength = static_cast<uint16_t>(tagLength);
                stored.valueLength = static_cast<int32_t>(valueLength);
                stored.commentLength = static_cast<int32_t>(commentLength);
                pushWhole(stored);
            }
        }
        // The tag is stored; one too many for the Classic mode ends the parse.
        if (++slot >= slotLimit) {
            fail(ParseStatus::TooBig, next, 3);
            ended = true;
            break;
        }
        local = next;
    }
    tags.update(room);
    const int read = slot - slot_;
    previous_ = previous;
    recordStart_ = recordStart;
    file_.recordCount_ = records;
    file_.leftBracketCount_ += read;
    file_.rightBracketCount_ += read;
    slot_ = slot;
    p_ = local;
    return ended ? TagStep::End : read > 0 ? TagStep::Next : TagStep::Other;
}

// One tag at `local` in the window (a '<'), with the data after it up to the
// next tag. Nothing is counted or kept before the window is known to hold
// all the tag's rules look at.
AdifParser::TagStep AdifParser::readTag(const TextWindow &window, size_t local, LoadedText &out)
{
    const std::string_view text = window.text;
    const size_t size = text.size();
    const size_t base = window.base;
    const size_t scan = static_cast<size_t>(AdifFile::kMaxTagScan);
    if (!window.atEnd && size - local <= scan)
        return TagStep::NeedMore;
    const char *const data = text.data();
    const size_t tagEnd = local + std::min(scan, size - local);
    size_t q = tagEnd;
    if (withData_) {
        q = firstBracket(data, local + 1, tagEnd, size);
        if (q < tagEnd && data[q] == '<')
            q = tagEnd;  // a '<' inside the tag: found again below
    }
    if (q == tagEnd) {
        bracketsHeld_ = false;
        const void *close = std::memchr(data + local, '>', tagEnd - local);
        if (close == nullptr) {
            ++file_.leftBracketCount_;
            p_ = base + local + scan + 1;
            return TagStep::Next;
        }
        q = static_cast<size_t>(static_cast<const char *>(close) - data);
    }
    const std::string_view tag = text.substr(local, q - local + 1);
    if (!window.atEnd && !holdsTagAfter(window, valueReach(tag, q + 1, current_)))
        return TagStep::NeedMore;

    ++file_.leftBracketCount_;
    ++file_.rightBracketCount_;
    TagFields stored;
    stored.tagOffset = static_cast<int32_t>(base + local);
    if (tag.size() == 2) {
        fail(ParseStatus::EmptyBrackets, base + q, 2);
        return TagStep::End;
    }
    if (equalsMarker(tag, "<APP_LOTW_EOF>")) {
        stored.kind = TagEndOfFile;
        stored.dataType = TypeMarker;
        stored.tagLength = static_cast<uint16_t>(tag.size());
        out.push(stored);
        if (recordStart_ != kNone)
            file_.lastRecordStart_ = static_cast<int32_t>(recordStart_);
        bracketsHeld_ = false;  // the brackets after it count all the same
        return TagStep::End;    // nothing after this marker is read
    }
    if (equalsMarker(tag, "<EOR>")) {
        stored.kind = TagEndOfRecord;
        stored.dataType = TypeMarker;
        recordStart_ = kNone;
        ++file_.recordCount_;
        if (!current_ && file_.recordCount_ > AdifFile::kRecordLimit) {
            stored.kind = TagNone;
            fail(ParseStatus::TooBig, base + q, 5);
            out.push(stored);
            return TagStep::End;
        }
    } else if (!readNameAndLength(tag.substr(1, tag.size() - 2), stored, base + local, out)) {
        return TagStep::End;
    }

    stored.tagLength = static_cast<uint16_t>(tag.size());
    if (stored.nameIndex >= 0)
        noteFieldName(stored.nameIndex, out);

    // The tag's data: everything up to the next '<', or in the Current
    // mode the value its length delimits and what follows up to the next '<'.
    bool lineEndsCounted = false;
    const size_t valueEnd = current_ && stored.hasLength && stored.declaredLength > 0
        ? delimitedValueEnd(text, q + 1, stored.declaredLength, utf8_, &lineEndsCounted)
        : kNone;
    if (lineEndsCounted && file_.lineEndCountedValues_++ == 0)
        file_.firstLineEndCountedValue_ = static_cast<int32_t>(base + q + 1);
    const size_t dataFrom = valueEnd == kNone ? q + 1 : valueEnd;
    size_t next = kNone;
    if (withData_) {
        next = firstBracket(data, dataFrom, size, size);
        if (next == size) {
            next = kNone;
        } else if (data[next] == '>') {
            bracketsHeld_ = false;
            next = findIn(text, '<', next);
        }
    } else {
        next = findIn(text, '<', dataFrom);
    }
    // A marker at the end of the file keeps an empty value; a field there
    // (the last field of a record without its marker) has its data.
    if (next == kNone && stored.kind == TagEndOfRecord) {
        out.push(stored);
        return TagStep::Finish;
    }
    const size_t dataEnd = next == kNone ? size : next;
    const size_t dataLength = dataEnd - q - 1;
    size_t valueLength = dataLength;
    if (valueEnd != kNone)
        valueLength = valueEnd - q - 1;
    else if (stored.hasLength)
        valueLength = std::min(dataLength, static_cast<size_t>(stored.declaredLength));
    stored.valueLength = static_cast<int32_t>(valueLength);
    stored.commentLength = static_cast<int32_t>(dataLength - valueLength);
    out.push(stored);
    if (next == kNone)
        return TagStep::Finish;
    ++slot_;
    if (!current_ && slot_ >= AdifFile::kTagLimit) {
        fail(ParseStatus::TooBig, base + next, 3);
        return TagStep::End;
    }
    p_ = base + next;
    if (stored.kind == TagEndOfRecord && recordsLeft_ > 0 && --recordsLeft_ == 0)
        return TagStep::Paused;
    return TagStep::Next;
}

AdifParser::Step AdifParser::readData(const TextWindow &window, LoadedText &out, Progress *progress)
{
    if (!dataStarted_) {
        dataStarted_ = true;
        p_ = dataStart_;
        nextReport_ = kProgressStep;
    }
    const std::string_view text = window.text;
    const size_t base = window.base;
    const auto total = static_cast<int64_t>(file_.fileSize_);
    for (;;) {
        size_t local = p_ - base;
        if (local >= text.size() || text[local] != '<') {
            const size_t from = local;
            local = findIn(text, '<', from);
            if (withData_ && firstBracket(text.data(), from, text.size(), text.size()) != local)
                bracketsHeld_ = false;
            if (local == kNone) {
                if (!window.atEnd) {
                    p_ = std::max(p_, window.end());
                    return Step::NeedMore;
                }
                break;
            }
            p_ = base + local;
        }
        if (progress && p_ >= nextReport_) {
            if (!progress->advance(static_cast<int64_t>(p_), total)) {
                file_.cancel();
                return Step::Done;
            }
            nextReport_ = p_ + kProgressStep;
        }
        TagStep step = readPlainFields(window, local, progress ? nextReport_ : kNone, out);
        if (step == TagStep::Other)
            step = readTag(window, local, out);
        switch (step) {
        case TagStep::Next:
            continue;
        case TagStep::NeedMore:
            return Step::NeedMore;
        case TagStep::Paused:
            return Step::Paused;
        case TagStep::End:
            return Step::Done;
        case TagStep::Finish:
        case TagStep::Other:
            break;
        }
        break;
    }
    // Field tags after the last end-of-record marker are a record too.
    if (recordStart_ != kNone)
        file_.lastRecordStart_ = static_cast<int32_t>(recordStart_);
    if (progress && !progress->advance(total, total))
        file_.cancel();
    return Step::Done;
}

}  // namespace vaziduvu
