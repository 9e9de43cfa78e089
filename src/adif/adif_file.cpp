#include "adif/adif_file.h"

#include "adif/field_catalogue.h"
#include "adif/large_buffer.h"
#include "adif/text.h"
#include "adif/utf8_text.h"
#include "adif/value_length.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <new>
#include <unordered_map>

namespace vaziduvu {

namespace {

constexpr size_t kLargestText = static_cast<size_t>(std::numeric_limits<int32_t>::max());
// A stored tag keeps the length of its tag text in 10 bits.
static_assert(AdifFile::kMaxTagScan < 1024, "a tag text fits its stored length");

// Case-insensitive comparison with an upper-case ASCII marker.
bool equalsMarker(std::string_view text, std::string_view marker)
{
    if (text.size() != marker.size())
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (upperChar(text[i]) != marker[i])
            return false;
    }
    return true;
}

// What the catalogue says about one field name; worked out once per distinct
// spelling of the name in a file.
struct NameInfo {
    int32_t index = -1;                   // in tagNames
    bool known = false;                   // a leading part of (or equal to) a catalogue name
    uint8_t entryType = TypeOtherLetter;  // type of the matched entry, for tags with a length
    uint8_t prefixType = TypeInvalid;     // catalogueTypeOf, for tags without a length
    bool isTimeOn = false;
};

NameInfo describeName(const std::string &name)
{
    NameInfo info;
    info.isTimeOn = isTimeFieldName(name);
    if (const auto entry = findCatalogueEntry(name)) {
        info.known = true;
        const uint8_t code = typeCodeOfLetter(catalogueLetterAt(*entry));
        info.entryType = code == TypeInvalid ? static_cast<uint8_t>(TypeOtherLetter) : code;
        info.prefixType = catalogueTypeOf(name);
    }
    return info;
}

constexpr size_t kProgressStep = 64 * 1024;

}  // namespace

AdifFile::AdifFile()
    : loaded_(std::make_shared<LoadedText>())
{
}

void AdifFile::clear()
{
    // A new text: a document filled from the last load keeps that one.
    loaded_ = std::make_shared<LoadedText>();
    fieldOfTagName_.clear();
    fieldNames_.clear();
    tagIndexByName_.clear();
    headerText_.clear();
    fileSize_ = 0;
    leftBracketCount_ = 0;
    rightBracketCount_ = 0;
    recordCount_ = 0;
    headerExpected_ = false;
    lastRecordStart_ = -1;
    lineEndCountedValues_ = 0;
    firstLineEndCountedValue_ = -1;
    outcome_ = ParseResult{};
    textEncoding_ = TextEncoding::Latin1;
}

bool AdifFile::load(const std::string &path, Progress *progress)
{
    clear();
    try {
        std::error_code error;
        const auto size = std::filesystem::file_size(path, error);
        std::ifstream file;
        if (!error)
            file.open(path, std::ios::binary);
        if (error || !file.is_open()) {
            parse(progress);  // an unreadable file reads as an empty one
            return true;
        }
        if (size > kLargestText) {
            fileSize_ = std::numeric_limits<uint32_t>::max();
            outcome_.status = ParseStatus::TooBig;
            return true;
        }
        // Read straight into the source text: the file is held once.
        loaded_->source.reserve(static_cast<size_t>(size));
        adviseLargeBuffer(loaded_->source.data(), loaded_->source.capacity());
        loaded_->source.resize(static_cast<size_t>(size));
        file.read(loaded_->source.data(), static_cast<std::streamsize>(loaded_->source.size()));
        loaded_->source.resize(static_cast<size_t>(file.gcount()));
        fileSize_ = static_cast<uint32_t>(size);
        parse(progress);
        return true;
    } catch (const std::exception &) {
        failUnexpectedly();
        return false;
    }
}

bool AdifFile::loadFromBytes(std::string_view bytes, Progress *progress)
{
    clear();
    try {
        if (bytes.size() > kLargestText) {
            fileSize_ = std::numeric_limits<uint32_t>::max();
            outcome_.status = ParseStatus::TooBig;
            return true;
        }
        fileSize_ = static_cast<uint32_t>(bytes.size());
        loaded_->source.reserve(bytes.size());
        adviseLargeBuffer(loaded_->source.data(), loaded_->source.capacity());
        loaded_->source.assign(bytes);
        parse(progress);
        return true;
    } catch (const std::exception &) {
        failUnexpectedly();
        return false;
    }
}

// A read or parse cut short (memory exhaustion) must not look like a clean
// parse of what was read so far: the loader goes by the outcome alone, and a
// partial log shown as loaded would be exported without its missing records.
void AdifFile::failUnexpectedly()
{
    loaded_ = std::make_shared<LoadedText>();
    outcome_ = {ParseStatus::TooBig, 0, 0};
}

// A stopped load keeps nothing of what it read but the file's size.
void AdifFile::cancel()
{
    const uint32_t size = fileSize_;
    clear();
    fileSize_ = size;
    outcome_ = {ParseStatus::Cancelled, 0, 0};
}

void AdifFile::parse(Progress *progress)
{
    LoadedText &loaded = *loaded_;  // the same one throughout the parse
    const std::string_view text(loaded.source);
    const size_t size = text.size();
    const char *const data = text.data();
    outcome_ = ParseResult{};
    if (progress && !progress->advance(0, static_cast<int64_t>(size))) {
        cancel();
        return;
    }

    auto endWith = [this](ParseStatus code, size_t position, size_t length) {
        outcome_.status = code;
        outcome_.position = static_cast<int32_t>(position);
        outcome_.length = static_cast<int32_t>(length);
    };
    auto findFrom = [data, size](char c, size_t from) -> size_t {
        if (from >= size)
            return std::string_view::npos;
        const void *hit = std::memchr(data + from, c, size - from);
        return hit == nullptr ? std::string_view::npos
                              : static_cast<size_t>(static_cast<const char *>(hit) - data);
    };

    // Header.
    if (size == 0) {
        endWith(ParseStatus::NoHeader, 0, 0);
        return;
    }
    // A zero byte is no text: the file is refused where it stands.
    if (const void *zero = std::memchr(data, 0, size)) {
        endWith(ParseStatus::ZeroByte, static_cast<size_t>(static_cast<const char *>(zero) - data),
                1);
        return;
    }
    const bool current = mode_ == AdifMode::Current;
    // In the Current mode a UTF-8 byte-order mark is no part of the header:
    // the text is read from after it.
    const size_t start
        = current && startsWithUtf8ByteOrderMark(text) ? kUtf8ByteOrderMark.size() : 0;
    if (current && (start > 0 || (hasNonAscii(text) && isValidUtf8(text))))
        textEncoding_ = TextEncoding::Utf8;
    const bool utf8 = textEncoding_ == TextEncoding::Utf8;
    if (start >= size) {
        endWith(ParseStatus::NoHeader, 0, 0);
        return;
    }
    headerExpected_ = text[start] != '<';
    size_t headerAt = std::string_view::npos;
    for (size_t p = findFrom('<', start); p != std::string_view::npos; p = findFrom('<', p + 1)) {
        if (equalsMarker(text.substr(p, 5), "<EOH>")) {
            headerAt = p;
            break;
        }
    }
    if (headerAt != std::string_view::npos) {
        headerText_.assign(text.substr(start, headerAt - start));
        ++leftBracketCount_;
        ++rightBracketCount_;
    }
    size_t dataStart = start;
    if (headerExpected_) {
        if (headerAt == std::string_view::npos) {
            endWith(ParseStatus::NoHeader, 0, 0);
            return;
        }
        dataStart = headerAt + 5;
    } else if (headerAt != std::string_view::npos) {
        endWith(ParseStatus::BracketMismatch, start + 1, 15);
        return;
    }

    // Bracket balance over the whole text, header included: the brackets are
    // visited in order, each found with memchr from the one before. In the
    // Current mode the value a tag's length delimits is skipped, brackets
    // and all.
    {
        char last = 0;
        size_t lastAt = 0;
        size_t dataOpenings = 0;
        size_t nextOpen = findFrom('<', 0);
        size_t nextClose = findFrom('>', 0);
        while (nextOpen != std::string_view::npos || nextClose != std::string_view::npos) {
            const bool open = nextOpen < nextClose;
            const size_t p = open ? nextOpen : nextClose;
            const char c = open ? '<' : '>';
            if (c == last) {
                endWith(ParseStatus::BracketMismatch, lastAt, p + 1 - lastAt);
                return;
            }
            if (open && p >= dataStart)
                ++dataOpenings;
            size_t resume = p + 1;
            if (current && !open && last == '<' && p - lastAt < static_cast<size_t>(kMaxTagScan)) {
                const int32_t declared = declaredLengthOf(text.substr(lastAt, p - lastAt + 1));
                const size_t valueEnd = declared > 0
                    ? delimitedValueEnd(text, p + 1, declared, utf8)
                    : std::string_view::npos;
                if (valueEnd != std::string_view::npos) {
                    resume = valueEnd;
                    nextOpen = findFrom('<', resume);
                }
            }
            last = c;
            lastAt = p;
            if (open)
                nextOpen = findFrom('<', resume);
            else
                nextClose = findFrom('>', resume);
        }
        const size_t limit = current ? dataOpenings : static_cast<size_t>(kTagLimit);
        loaded.tags.reserve(std::min(dataOpenings, limit));
        adviseLargeBuffer(loaded.tags.data(), loaded.tags.capacity() * sizeof(StoredTag));
    }

    // Data scan. Names are looked up once per distinct spelling; the keys
    // point into the source text, which does not change during the parse.
    std::unordered_map<std::string_view, NameInfo> names;
    names.reserve(128);
    bool lineEndsCounted = false;  // by the value just delimited
    // The spelling that followed each name last time: records mostly repeat
    // their field order, so the next name is tried there first.
    std::vector<std::pair<std::string_view, const NameInfo *>> followerOf;
    const NameInfo *previous = nullptr;
    size_t recordStart = std::string_view::npos;  // first field tag of the open record
    size_t nextReport = kProgressStep;
    int slot = 0;
    size_t p = dataStart;
    while (p < size) {
        if (data[p] != '<') {
            p = findFrom('<', p);
            if (p == std::string_view::npos)
                break;
        }
        if (progress && p >= nextReport) {
            if (!progress->advance(static_cast<int64_t>(p), static_cast<int64_t>(size))) {
                cancel();
                return;
            }
            nextReport = p + kProgressStep;
        }
        ++leftBracketCount_;
        const size_t window = std::min(static_cast<size_t>(kMaxTagScan), size - p);
        const void *close = std::memchr(data + p, '>', window);
        if (close == nullptr) {
            p += kMaxTagScan + 1;
            continue;
        }
        const size_t q = static_cast<size_t>(static_cast<const char *>(close) - data);
        ++rightBracketCount_;
        const std::string_view tag = text.substr(p, q - p + 1);
        TagFields stored;
        stored.tagOffset = static_cast<int32_t>(p);
        if (tag.size() == 2) {
            endWith(ParseStatus::EmptyBrackets, q, 2);
            return;
        }
        auto failTag = [&](ParseStatus code, size_t position, size_t length) {
            stored.kind = TagNone;
            stored.tagLength = 0;
            endWith(code, position, length);
            loaded.push(stored);
        };

        // One tag.
        if (equalsMarker(tag, "<APP_LOTW_EOF>")) {
            stored.kind = TagEndOfFile;
            stored.dataType = TypeMarker;
            stored.tagLength = static_cast<uint16_t>(tag.size());
            loaded.push(stored);
            if (recordStart != std::string_view::npos)
                lastRecordStart_ = static_cast<int32_t>(recordStart);
            return;  // nothing after this marker is read
        }
        if (equalsMarker(tag, "<EOR>")) {
            stored.kind = TagEndOfRecord;
            stored.dataType = TypeMarker;
            recordStart = std::string_view::npos;
            ++recordCount_;
            if (!current && recordCount_ > kRecordLimit) {
                failTag(ParseStatus::TooBig, q, 5);
                return;
            }
        } else {
            const std::string_view inner = tag.substr(1, tag.size() - 2);
            const size_t colon = inner.find(':');
            const std::string_view rawName = inner.substr(0, colon);
            if (rawName.empty()) {
                failTag(ParseStatus::MissingName, p, tag.size());
                return;
            }
            const NameInfo *info = nullptr;
            if (previous != nullptr) {
                const auto &follower = followerOf[static_cast<size_t>(previous->index)];
                if (follower.second != nullptr && follower.first == rawName)
                    info = follower.second;
            }
            if (info == nullptr) {
                auto found = names.find(rawName);
                if (found == names.end()) {
                    std::string name = upperText(rawName);
                    NameInfo described = describeName(name);
                    const auto indexed = tagIndexByName_.emplace(
                        name, static_cast<int32_t>(loaded.tagNames.size()));
                    if (indexed.second) {
                        loaded.tagNames.push_back(std::move(name));
                        fieldOfTagName_.push_back(-1);  // listed once a tag of it is read
                        followerOf.emplace_back();
                    }
                    described.index = indexed.first->second;
                    found = names.emplace(rawName, described).first;
                }
                info = &found->second;
                if (previous != nullptr)
                    followerOf[static_cast<size_t>(previous->index)] = {rawName, info};
            }
            previous = info;
            stored.nameIndex = info->index;
            stored.isTimeOn = info->isTimeOn;
            if (recordStart == std::string_view::npos)
                recordStart = p;
            stored.kind = info->known ? TagKnownField : TagUserField;
            if (colon != std::string_view::npos) {
                stored.hasLength = true;
                stored.dataType
                    = info->known ? info->entryType : static_cast<uint8_t>(TypeCharacter);
                const std::string_view specifier = inner.substr(colon + 1);
                const size_t typeColon = specifier.find(':');
                if (typeColon != std::string_view::npos)
                    stored.hasType = true;
                if (!parseLength(specifier.substr(0, typeColon), stored.declaredLength)) {
                    failTag(ParseStatus::BadLength, p, tag.size());
                    return;
                }
                if (typeColon != std::string_view::npos) {
                    const std::string_view typePart = specifier.substr(typeColon + 1);
                    const uint8_t code = typePart.empty()
                        ? static_cast<uint8_t>(TypeInvalid)
                        : typeCodeOfLetter(upperChar(typePart[0]));
                    if (code == TypeInvalid) {
                        failTag(ParseStatus::BadType, p, tag.size());
                        return;
                    }
                    stored.dataType = code;
                }
            } else {
                stored.dataType
                    = info->known ? info->prefixType : static_cast<uint8_t>(TypeCharacter);
            }
        }

        stored.tagLength = static_cast<uint16_t>(tag.size());
        if (stored.nameIndex >= 0) {
            int &field = fieldOfTagName_[static_cast<size_t>(stored.nameIndex)];
            const std::string &name = loaded.tagNames[static_cast<size_t>(stored.nameIndex)];
            if (field < 0 && name != "EOR") {
                field = static_cast<int>(fieldNames_.size());
                fieldNames_.push_back(name);
            }
        }

        // The tag's data: everything up to the next '<', or in the Current
        // mode the value its length delimits and what follows up to the next '<'.
        const size_t valueEnd = current && stored.hasLength && stored.declaredLength > 0
            ? delimitedValueEnd(text, q + 1, stored.declaredLength, utf8, &lineEndsCounted)
            : std::string_view::npos;
        if (lineEndsCounted) {
            if (lineEndCountedValues_++ == 0)
                firstLineEndCountedValue_ = static_cast<int32_t>(q + 1);
            lineEndsCounted = false;
        }
        const size_t next = findFrom('<', valueEnd == std::string_view::npos ? q + 1 : valueEnd);
        // A marker at the end of the file keeps an empty value; a field there
        // (the last field of a record without its marker) has its data.
        if (next == std::string_view::npos && stored.kind == TagEndOfRecord) {
            loaded.push(stored);
            break;
        }
        const size_t dataEnd = next == std::string_view::npos ? size : next;
        const size_t dataLength = dataEnd - q - 1;
        size_t valueLength = dataLength;
        if (valueEnd != std::string_view::npos)
            valueLength = valueEnd - q - 1;
        else if (stored.hasLength)
            valueLength = std::min(dataLength, static_cast<size_t>(stored.declaredLength));
        stored.valueLength = static_cast<int32_t>(valueLength);
        stored.commentLength = static_cast<int32_t>(dataLength - valueLength);
        loaded.push(stored);
        if (next == std::string_view::npos)
            break;
        ++slot;
        if (!current && slot >= kTagLimit) {
            endWith(ParseStatus::TooBig, next, 3);
            return;
        }
        p = next;
    }
    // Field tags after the last end-of-record marker are a record too.
    if (recordStart != std::string_view::npos)
        lastRecordStart_ = static_cast<int32_t>(recordStart);
    if (progress && !progress->advance(static_cast<int64_t>(size), static_cast<int64_t>(size)))
        cancel();
}

int AdifFile::fieldIndex(std::string_view name) const
{
    const auto found = tagIndexByName_.find(upperText(name));
    return found == tagIndexByName_.end() ? -1 : fieldOfTagName(found->second);
}

TagRecord AdifFile::tagAt(int slot) const
{
    TagRecord record;
    if (slot < 0 || slot >= storedTagCount())
        return record;
    const TagFields tag = loaded_->fields(static_cast<size_t>(slot));
    record.kind = tag.kind;
    record.hasLength = tag.hasLength;
    record.declaredLength = tag.declaredLength;
    record.hasType = tag.hasType;
    record.dataType = tag.dataType;
    record.isTimeOn = tag.isTimeOn;
    if (tag.nameIndex >= 0)
        record.name = loaded_->tagNames[static_cast<size_t>(tag.nameIndex)];
    record.value = valueOf(tag);
    record.comment = commentOf(tag);
    record.rawTag = rawTagOf(tag);
    record.valueOffset = tag.valueOffset();
    // Only the tag that ended the parse failed, and it carries the error.
    if (tag.tagLength == 0 && slot == storedTagCount() - 1 && !outcome_) {
        record.errorCode = outcome_.status;
        record.errorPosition = outcome_.position;
        record.errorLength = outcome_.length;
    }
    return record;
}

std::string_view LoadedText::valueOf(const TagFields &tag) const
{
    if (tag.valueOffset() < 0)
        return {};
    return std::string_view(source).substr(static_cast<size_t>(tag.valueOffset()),
                                           static_cast<size_t>(tag.valueLength));
}

std::string_view LoadedText::commentOf(const TagFields &tag) const
{
    if (tag.valueOffset() < 0)
        return {};
    return std::string_view(source).substr(static_cast<size_t>(tag.valueOffset())
                                               + static_cast<size_t>(tag.valueLength),
                                           static_cast<size_t>(tag.commentLength));
}

std::string_view AdifFile::rawTagOf(const TagFields &tag) const
{
    return std::string_view(loaded_->source)
        .substr(static_cast<size_t>(tag.tagOffset), tag.tagLength);
}

std::string AdifFile::nameOfTag(std::string_view tagText)
{
    const size_t open = tagText.find('<');
    const size_t begin = open == std::string_view::npos ? 0 : open + 1;
    const size_t end = tagText.find_first_of(":>", begin);
    return upperText(tagText.substr(
        begin, end == std::string_view::npos ? std::string_view::npos : end - begin));
}

std::string outcomeReportText(ParseStatus code, int32_t position)
{
    const std::string notLoaded = "\r\nFile not loaded ... \r\n\r\n";
    const std::string at = std::to_string(position);
    switch (code) {
    case ParseStatus::NoHeader:
        return "File not loaded ... \r\n\r\nNo header or start field (<) found";
    case ParseStatus::BracketMismatch:
        return notLoaded + "Bracket mismatch in area of\r\ncharacter " + at;
    case ParseStatus::EmptyBrackets:
        return notLoaded + "Empty brackets ( <> ) in \r\narea of character " + at;
    case ParseStatus::BadLength:
        return notLoaded + "Invalid data fieldlength \r\nin area of character " + at;
    case ParseStatus::MissingName:
        return notLoaded + "Field name is missing\r\nin area of character " + at;
    case ParseStatus::BadType:
        return "\r\nFile not loaded ... \r\n >>> Invalid data-type specifier \r\n >>> in "
               "user-defined column \r\n\r\n";
    case ParseStatus::TooBig:
        return "\r\nFile not loaded ... \r\n >>> File too big\r\n";
    case ParseStatus::ZeroByte:
        return notLoaded + "Zero byte (no text) in area of\r\ncharacter " + at;
    case ParseStatus::Cancelled:
        return "Loading was cancelled: nothing was loaded.";
    default:
        return std::string();
    }
}

const char *outcomeName(ParseStatus code)
{
    switch (code) {
    case ParseStatus::NoHeader:
        return "ParseNoHeader";
    case ParseStatus::BracketMismatch:
        return "ParseBracketMismatch";
    case ParseStatus::EmptyBrackets:
        return "ParseEmptyBrackets";
    case ParseStatus::BadLength:
        return "ParseBadLength";
    case ParseStatus::MissingName:
        return "ParseMissingName";
    case ParseStatus::BadType:
        return "ParseBadType";
    case ParseStatus::TooBig:
        return "ParseTooBig";
    case ParseStatus::ZeroByte:
        return "ParseZeroByte";
    case ParseStatus::Cancelled:
        return "ParseCancelled";
    case ParseStatus::Ok:
        return "ParseOk";
    default:
        return "ParseUnknown";
    }
}

}  // namespace vaziduvu
