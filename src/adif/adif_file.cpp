#include "adif/adif_file.h"

#include "adif/adif_parser.h"
#include "adif/field_catalogue.h"
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

LoadResult AdifFile::load(const std::string &path, Progress *progress)
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
            return {outcome_, true};
        }
        if (size > kLargestText) {
            fileSize_ = std::numeric_limits<uint32_t>::max();
            outcome_.status = ParseStatus::TooBig;
            return {outcome_, true};
        }
        // Read straight into the source text: the file is held once.
        loaded_->source.reserve(static_cast<size_t>(size));
        loaded_->source.resize(static_cast<size_t>(size));
        file.read(loaded_->source.data(), static_cast<std::streamsize>(loaded_->source.size()));
        loaded_->source.resize(static_cast<size_t>(file.gcount()));
        fileSize_ = static_cast<uint32_t>(size);
        parse(progress);
        return {outcome_, true};
    } catch (const std::exception &) {
        failUnexpectedly();
        return {outcome_, false};
    }
}

LoadResult AdifFile::loadFromBytes(std::string_view bytes, Progress *progress)
{
    clear();
    try {
        if (bytes.size() > kLargestText) {
            fileSize_ = std::numeric_limits<uint32_t>::max();
            outcome_.status = ParseStatus::TooBig;
            return {outcome_, true};
        }
        fileSize_ = static_cast<uint32_t>(bytes.size());
        loaded_->source.reserve(bytes.size());
        loaded_->source.assign(bytes);
        parse(progress);
        return {outcome_, true};
    } catch (const std::exception &) {
        failUnexpectedly();
        return {outcome_, false};
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
    outcome_ = ParseResult{};
    if (progress && !progress->advance(0, static_cast<int64_t>(text.size()))) {
        cancel();
        return;
    }
    const bool current = mode_ == AdifMode::Current;
    AdifParser parser(*this, false);
    const TextFacts facts = AdifParser::factsOf(text, current);
    const std::string_view header = facts.headerAt == std::string_view::npos
        ? std::string_view()
        : text.substr(facts.start, facts.headerAt - facts.start);
    if (!parser.readPreamble(facts, header))
        return;
    const TextWindow whole{text, 0, true};
    if (parser.checkBrackets(whole, parser.dataStart()) == AdifParser::Step::Paused
        && parser.canCheckBracketsWithData()) {
        readCheckingBrackets(parser, progress);
        return;
    }
    if (!outcome_)
        return;
    parser.checkBrackets(whole);
    if (!outcome_)
        return;
    const size_t limit = current ? parser.dataOpenings() : static_cast<size_t>(kTagLimit);
    loaded.reserveTags(std::min(parser.dataOpenings(), limit));
    parser.readData(whole, loaded, progress);
}

// The data section read with its brackets checked on the way (one pass over
// the text instead of two); the full check runs only when the walk met a
// bracket out of order or ended early, and a bracket error it finds
// outranks what the tags gave.
void AdifFile::readCheckingBrackets(AdifParser &parser, Progress *progress)
{
    LoadedText &loaded = *loaded_;
    const TextWindow whole{loaded.source, 0, true};
    // A tag takes five bytes at least in a log of any size; the estimate
    // is only a reservation, so a shorter spelling costs a reallocation.
    const size_t estimate = loaded.source.size() / 5 + 16;
    loaded.reserveTags(
        mode_ == AdifMode::Current ? estimate : std::min(estimate, static_cast<size_t>(kTagLimit)));
    parser.checkBracketsWithData();
    parser.readData(whole, loaded, progress);
    if (outcome_.status == ParseStatus::Cancelled || (outcome_ && parser.bracketsHeld()))
        return;
    const ParseResult tagsOutcome = outcome_;
    outcome_ = ParseResult{};
    parser.checkBrackets(whole);
    if (!outcome_) {
        parser.discardData(loaded);
        return;
    }
    outcome_ = tagsOutcome;
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

void LoadedText::pushExtra(const TagFields &fields)
{
    extras.push_back({static_cast<uint32_t>(tags.size()), fields});
    const uint64_t role = fields.kind == TagEndOfRecord ? StoredTag::EndOfRecord
        : fields.kind == TagEndOfFile                   ? StoredTag::EndOfFile
        : fields.tagLength == 0                         ? StoredTag::Failed
                                                        : StoredTag::Field;
    StoredTag tag;
    tag.word = role << 61 | uint64_t{1} << 63;
    tags.push_back(tag);
}

TagFields LoadedText::extraFields(size_t index) const
{
    const auto extra = std::lower_bound(
        extras.begin(), extras.end(), index,
        [](const Extra &candidate, size_t wanted) { return candidate.tag < wanted; });
    return extra != extras.end() && extra->tag == index ? extra->fields : TagFields{};
}

void LoadedText::clearTags()
{
    tags.clear();
    anchors.clear();
    extras.clear();
}

void LoadedText::reserveTags(size_t count)
{
    tags.reserve(count);
    anchors.reserve(count / StoredTag::kBlock + 1);
}

std::string_view LoadedText::valueOf(const TagFields &tag) const
{
    if (tag.valueOffset() < 0)
        return {};
    return std::string_view(source).substr(static_cast<size_t>(tag.valueOffset()) - base,
                                           static_cast<size_t>(tag.valueLength));
}

std::string_view LoadedText::commentOf(const TagFields &tag) const
{
    if (tag.valueOffset() < 0)
        return {};
    return std::string_view(source).substr(static_cast<size_t>(tag.valueOffset()) - base
                                               + static_cast<size_t>(tag.valueLength),
                                           static_cast<size_t>(tag.commentLength));
}

std::string_view AdifFile::rawTagOf(const TagFields &tag) const
{
    return std::string_view(loaded_->source)
        .substr(static_cast<size_t>(tag.tagOffset) - loaded_->base, tag.tagLength);
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
