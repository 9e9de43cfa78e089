#pragma once

#include "adif/adif_mode.h"
#include "adif/progress.h"
#include "adif/tag_record.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vaziduvu {

// What the reader found of one tag: its texts are spans of the source text
// and its name an index into the tag names, so a load allocates nothing per
// tag.
struct TagFields {
    // The value follows the tag; -1 for a tag that failed to parse and for
    // the end-of-file marker, which have none.
    int32_t valueOffset() const
    {
        return tagLength == 0 || kind == TagEndOfFile ? -1 : tagOffset + tagLength;
    }

    int32_t tagOffset = 0;  // the '<'
    int32_t valueLength = 0;
    int32_t commentLength = 0;  // directly after the value
    int32_t declaredLength = 0;
    int32_t nameIndex = -1;  // -1: no name (markers, a tag without one)
    uint16_t tagLength = 0;  // 0: the tag failed to parse (no raw tag)
    uint8_t kind = TagNone;
    uint8_t dataType = 6;
    bool hasLength = false;
    bool hasType = false;
    bool isTimeOn = false;
};

// One tag as a load keeps it, 16 bytes: a whole logbook holds millions of
// them next to its text. What does not fit (a declared length below the
// value's or more than 15 above it, a comment of a megabyte or more, a name
// index beyond two million) is kept in the loaded text's extras;
// LoadedText::fields unpacks.
struct StoredTag {
    // Packs the fields of a tag whose lengths and name index fit.
    static StoredTag pack(const TagFields &fields, uint32_t shortComment, uint32_t shortName,
                          uint32_t lengthExcess, bool hasExtra)
    {
        // Each part is kept to its width, so no field spills into the next.
        StoredTag tag;
        tag.offsetWord = (static_cast<uint32_t>(fields.tagOffset) & 0x7FFFFFFFu)
            | static_cast<uint32_t>(fields.hasLength) << 31;
        tag.valueWord = (static_cast<uint32_t>(fields.valueLength) & 0x7FFFFFFFu)
            | static_cast<uint32_t>(fields.hasType) << 31;
        tag.commentWord = (shortComment & 0xFFFFFu)
            | (static_cast<uint32_t>(fields.tagLength) & 0x3FFu) << 20
            | static_cast<uint32_t>(fields.isTimeOn) << 30 | static_cast<uint32_t>(hasExtra) << 31;
        tag.nameWord = (shortName & 0x1FFFFFu) | (static_cast<uint32_t>(fields.kind) & 7u) << 21
            | (static_cast<uint32_t>(fields.dataType) & 15u) << 24 | (lengthExcess & 15u) << 28;
        return tag;
    }

    uint32_t tagOffset() const { return offsetWord & 0x7FFFFFFFu; }
    bool hasLength() const { return (offsetWord >> 31) != 0; }
    uint32_t valueLength() const { return valueWord & 0x7FFFFFFFu; }
    bool hasType() const { return (valueWord >> 31) != 0; }
    uint32_t shortComment() const { return commentWord & 0xFFFFFu; }  // when it fits
    uint32_t tagLength() const { return (commentWord >> 20) & 0x3FFu; }
    bool isTimeOn() const { return ((commentWord >> 30) & 1u) != 0; }
    bool hasExtra() const { return (commentWord >> 31) != 0; }
    uint32_t shortName() const { return nameWord & 0x1FFFFFu; }  // name index + 1; 0: no name
    uint8_t kind() const { return static_cast<uint8_t>((nameWord >> 21) & 7u); }
    uint8_t dataType() const { return static_cast<uint8_t>((nameWord >> 24) & 15u); }
    uint32_t lengthExcess() const { return nameWord >> 28; }  // declared minus value, 0 to 15
    int32_t valueOffset() const
    {
        return tagLength() == 0 || kind() == TagEndOfFile
            ? -1
            : static_cast<int32_t>(tagOffset() + tagLength());
    }

    // Four words, so a tag is stored with four plain writes: tag offset and
    // hasLength; value length and hasType; comment length (20 bits), tag
    // length (10), isTimeOn, hasExtra; name index + 1 (21), kind (3), data
    // type (4), length excess (4).
    uint32_t offsetWord;
    uint32_t valueWord;
    uint32_t commentWord;
    uint32_t nameWord;
};
static_assert(sizeof(StoredTag) == 16, "a stored tag stays small");

// What a load keeps of the file: its text, its stored tags and their names.
// A document filled from the load shares it, so the values of a whole
// logbook are read from the one copy of the text until they are edited.
struct LoadedText {
    // The full fields of a tag that did not fit its stored form.
    struct Extra {
        uint32_t tag = 0;  // index in tags
        int32_t declaredLength = 0;
        int32_t commentLength = 0;
        int32_t nameIndex = -1;
    };

    std::string source;
    // The file offset of source[0]: 0 for a whole load, the batch's first
    // tag for a batch read (the tags keep their offsets in the file).
    size_t base = 0;
    std::vector<StoredTag> tags;
    std::vector<std::string> tagNames;
    std::vector<Extra> extras;  // in the order of their tags

    // Stores the tag after the others.
    void push(const TagFields &fields);
    TagFields fields(size_t index) const;
    std::string_view valueOf(const TagFields &tag) const;
    std::string_view commentOf(const TagFields &tag) const;
};

// Inline: a load stores every tag through it, and the fields it packs
// are still in registers.
inline void LoadedText::push(const TagFields &fields)
{
    // A value cut short by the next tag is a few bytes shorter than declared.
    const int64_t excess = fields.hasLength
        ? static_cast<int64_t>(fields.declaredLength) - fields.valueLength
        : (fields.declaredLength == 0 ? 0 : -1);
    const bool fits = excess >= 0 && excess < 16 && fields.commentLength < (1 << 20)
        && fields.nameIndex + 1 < (1 << 21);
    if (!fits) {
        extras.push_back({static_cast<uint32_t>(tags.size()), fields.declaredLength,
                          fields.commentLength, fields.nameIndex});
        tags.push_back(StoredTag::pack(fields, 0, 0, 0, true));
        return;
    }
    tags.push_back(StoredTag::pack(fields, static_cast<uint32_t>(fields.commentLength),
                                   static_cast<uint32_t>(fields.nameIndex + 1),
                                   static_cast<uint32_t>(excess), false));
}

inline TagFields LoadedText::fields(size_t index) const
{
    TagFields fields;
    if (index >= tags.size())
        return fields;
    const StoredTag &tag = tags[index];
    fields.tagOffset = static_cast<int32_t>(tag.tagOffset());
    fields.hasLength = tag.hasLength();
    fields.valueLength = static_cast<int32_t>(tag.valueLength());
    fields.hasType = tag.hasType();
    fields.tagLength = static_cast<uint16_t>(tag.tagLength());
    fields.isTimeOn = tag.isTimeOn();
    fields.kind = tag.kind();
    fields.dataType = tag.dataType();
    if (!tag.hasExtra()) {
        fields.commentLength = static_cast<int32_t>(tag.shortComment());
        fields.nameIndex = static_cast<int32_t>(tag.shortName()) - 1;
        fields.declaredLength
            = tag.hasLength() ? fields.valueLength + static_cast<int32_t>(tag.lengthExcess()) : 0;
        return fields;
    }
    const auto extra = std::lower_bound(
        extras.begin(), extras.end(), index,
        [](const Extra &candidate, size_t wanted) { return candidate.tag < wanted; });
    if (extra != extras.end() && extra->tag == index) {
        fields.commentLength = extra->commentLength;
        fields.nameIndex = extra->nameIndex;
        fields.declaredLength = extra->declaredLength;
    }
    return fields;
}

class AdifParser;

// What a load returns: the outcome of the parse, and whether the text could
// be read and parsed to an outcome at all. As a bool it is the latter, as
// load's result always was; ok() is the parse's success.
struct LoadResult : ParseResult {
    bool completed = true;  // false: reading or parsing ran out of memory (status TooBig)

    LoadResult() = default;
    LoadResult(ParseResult result, bool done)
        : ParseResult(result)
        , completed(done)
    {
    }
    explicit operator bool() const { return completed; }
    bool ok() const { return status == ParseStatus::Ok; }
};

// Reads one ADIF log (.adi or .badi) and keeps what it found: the whole
// source text, the tags of the data section in file order, the distinct
// field names in order of first appearance, the counts for the load report
// and the outcome of the parse (success, or one error with its position).
//
// The reader never shows anything: callers read the outcome through the
// accessors and report it themselves (see outcomeReportText).
//
// Each object serves one load. After load() it is read-only.
class AdifFile {
public:
    // Limits of the Classic mode: a load there never fills more than
    // kTagLimit slots nor accepts more end-of-record markers than
    // kRecordLimit. The Current mode is limited by memory alone.
    static constexpr int kTagSlots = 196098;
    static constexpr int kTagLimit = 196048;
    static constexpr int kRecordLimit = 4001;  // end-of-record markers accepted
    static constexpr int kMaxTagScan = 1000;   // a '<' without '>' in this many bytes is dropped

    AdifFile();

    // Reads and parses the file and returns the outcome (also kept: result()).
    // It is false as a bool only when reading or parsing failed unexpectedly
    // (memory exhaustion); the status is then ParseStatus::TooBig, never
    // ParseStatus::Ok. A file that cannot be opened reads as empty and gives
    // ParseStatus::NoHeader.
    //
    // The progress, when given, hears of the bytes read now and then; when it
    // asks to stop, the outcome is ParseStatus::Cancelled and nothing is kept.
    LoadResult load(const std::string &path, Progress *progress = nullptr);

    // Parses the given bytes as if they were a file's content (used by load,
    // by tests and by the fuzz target). A zero byte refuses the text
    // (ParseZeroByte at its offset).
    LoadResult loadFromBytes(std::string_view bytes, Progress *progress = nullptr);

    void clear();

    // The reading rules of the next load: Classic (the default) or Current.
    // The Current mode differs in three ways, the bytes kept as they are:
    // - a value its declared length delimits may hold '<' and '>' (the
    //   bracket check skips it), as long as that reading leaves no '>'
    //   before the next tag; otherwise the value ends at the next '<' as in
    //   the Classic mode, so a wrong length never hides the tags after it;
    // - a text that starts with a UTF-8 byte-order mark, or is valid UTF-8
    //   with some non-ASCII byte, is UTF-8; the mark is read past (no part of
    //   the header, positions stay byte offsets into the file);
    // - in a UTF-8 text, a length whose bytes end inside a character or leave
    //   more than blanks before the next tag counts characters when that
    //   count ends where only blanks are left; the value is then longer in
    //   bytes than declared, which shows as a length discrepancy.
    // - a declared length that runs into the next tag, where counting each
    //   lone LF of the value as CR LF ends the value with only blanks left
    //   before that tag, is read so: the log went through a line-ending
    //   conversion. The value is then shorter in bytes than declared, which
    //   shows as a length discrepancy (lineEndCountedValues).
    void setMode(AdifMode mode) { mode_ = mode; }
    AdifMode mode() const { return mode_; }
    // How the loaded text is to be shown: Utf8 only for a Current-mode load
    // of a file that is valid UTF-8 or starts with a UTF-8 byte-order mark.
    TextEncoding textEncoding() const { return textEncoding_; }

    int fieldCount() const { return static_cast<int>(fieldNames_.size()); }
    // Index in fieldNames (letter case ignored), -1 when absent.
    int fieldIndex(std::string_view name) const;
    const std::vector<std::string> &fieldNames() const { return fieldNames_; }
    // End-of-record markers read.
    int recordCount() const { return recordCount_; }
    // Offset of the first field tag after the last end-of-record marker (and
    // before an end-of-file marker), -1 when there is none. Such tags are a
    // record without its marker: the loader shows it as the last record.
    int32_t lastRecordStart() const { return lastRecordStart_; }
    // Records of the log: the markers, and the record without one.
    int contactCount() const { return recordCount_ + (lastRecordStart_ >= 0 ? 1 : 0); }
    // Current mode: values read with each lone LF counted as CR LF, and the
    // byte offset of the first one's value (-1: none).
    int lineEndCountedValues() const { return lineEndCountedValues_; }
    int32_t firstLineEndCountedValue() const { return firstLineEndCountedValue_; }
    int leftBracketCount() const { return leftBracketCount_; }
    int rightBracketCount() const { return rightBracketCount_; }
    bool headerExpected() const { return headerExpected_; }
    bool noHeaderOrStart() const { return outcome_.status == ParseStatus::NoHeader; }
    const std::string &headerText() const { return headerText_; }
    const std::string &sourceText() const { return loaded_->source; }
    uint32_t fileSize() const { return fileSize_; }

    // The outcome of the parse: status, and the error's position and length.
    ParseResult result() const { return outcome_; }

    // Number of slots a parse filled (the stored tags are slots 0..n-1).
    int storedTagCount() const { return static_cast<int>(loaded_->tags.size()); }
    // Slot i as a full record; slots beyond storedTagCount() read as the
    // reset slot value.
    TagRecord tagAt(int slot) const;

    // The stored tags themselves and their texts, for walking a large log
    // without building a record per tag.
    TagFields storedTag(int slot) const { return loaded_->fields(static_cast<size_t>(slot)); }
    // The text, tags and names together, shared with whoever keeps them.
    std::shared_ptr<const LoadedText> loadedText() const { return loaded_; }
    std::string_view valueOf(const TagFields &tag) const { return loaded_->valueOf(tag); }
    std::string_view commentOf(const TagFields &tag) const { return loaded_->commentOf(tag); }
    std::string_view rawTagOf(const TagFields &tag) const;
    // Distinct upper-case names of the field tags, "EOR" included when a
    // field bears it; a stored tag's nameIndex points here.
    const std::vector<std::string> &tagNames() const { return loaded_->tagNames; }
    // The index in fieldNames of a tag name, -1 for "EOR" (and for the name
    // of a tag that failed to parse).
    int fieldOfTagName(int nameIndex) const
    {
        return fieldOfTagName_[static_cast<size_t>(nameIndex)];
    }

    // Name rule of a tag text: between the first '<' and the first ':' (or
    // '>' when there is none), upper-cased, nothing trimmed.
    static std::string nameOfTag(std::string_view tagText);

private:
    friend class AdifParser;
    friend class AdifBatchReader;

    void parse(Progress *progress);
    void readCheckingBrackets(AdifParser &parser, Progress *progress);
    void failUnexpectedly();
    void cancel();

    std::shared_ptr<LoadedText> loaded_;  // tags: only filled slots are kept
    std::vector<int> fieldOfTagName_;
    std::vector<std::string> fieldNames_;
    std::unordered_map<std::string, int32_t> tagIndexByName_;  // upper-case name -> tagNames
    std::string headerText_;
    uint32_t fileSize_ = 0;
    int32_t leftBracketCount_ = 0;
    int32_t rightBracketCount_ = 0;
    int32_t recordCount_ = 0;
    bool headerExpected_ = false;
    int32_t lastRecordStart_ = -1;
    int32_t lineEndCountedValues_ = 0;
    int32_t firstLineEndCountedValue_ = -1;
    ParseResult outcome_;
    AdifMode mode_ = AdifMode::Classic;
    TextEncoding textEncoding_ = TextEncoding::Latin1;
};

// The load report text for a failed parse outcome (codes 0, 1, 2, 3, 5, 8,
// 10, 13, 14); the position is used by codes 1, 2, 3, 5 and 13. Empty for
// ParseStatus::Ok.
std::string outcomeReportText(ParseStatus status, int32_t position);

// Short symbolic name of an outcome code ("ParseOk", "ParseBadLength", ...).
const char *outcomeName(ParseStatus status);

}  // namespace vaziduvu
