#pragma once

#include "adif/adif_mode.h"
#include "adif/field_catalogue.h"
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

// What every tag of one name shares: whether the catalogue knows it, the
// data type a tag of it has without a type of its own (with and without a
// length), and whether it is a time field.
struct NameFacts {
    bool known = false;
    bool isTimeOn = false;
    uint8_t typeWithLength = TypeCharacter;
    uint8_t typeWithoutLength = TypeCharacter;
};

// One tag as a load keeps it, 8 bytes: a whole logbook holds tens of millions
// of them next to its text, so the tags weigh little more than half the text.
// What a tag shares with its name (known, data type, time field) is kept
// once per name (LoadedText::nameFacts); its offset is kept from the first
// tag of its block of kBlock tags (LoadedText::anchors). A tag that does not
// fit (a long value, tag or comment, a declared length not a few bytes above
// what was read, a type of its own other than its name's, a failed tag, a
// name index beyond two thousand) is kept whole in the loaded text's
// extras; LoadedText::fields unpacks both.
struct StoredTag {
    static constexpr uint32_t kBlockBits = 6;
    static constexpr uint32_t kBlock = 1u << kBlockBits;
    // The widths of the parts of the one word (see word).
    static constexpr uint64_t kOffsetLimit = 1u << 20;
    static constexpr uint64_t kTagLengthLimit = 1u << 8;
    static constexpr uint64_t kValueLimit = 1u << 11;
    static constexpr uint64_t kCommentLimit = 1u << 6;
    static constexpr uint64_t kExcessLimit = 1u << 3;
    static constexpr uint64_t kNameLimit = 1u << 11;
    // What a tag ends, with the kinds of TagKind it stands for.
    enum Role : uint8_t { Field = 0, EndOfRecord = 1, EndOfFile = 2, Failed = 3 };

    // Offset from the block's anchor (20 bits), tag length (8), value length
    // (11), comment length (6), declared length minus value length (3),
    // hasLength, hasType, name index + 1 (11; 0: no name), role (2), extra.
    uint64_t word = 0;

    uint32_t offsetDelta() const { return static_cast<uint32_t>(word & (kOffsetLimit - 1)); }
    uint32_t tagLength() const { return static_cast<uint32_t>((word >> 20) & 0xFFu); }
    uint32_t valueLength() const { return static_cast<uint32_t>((word >> 28) & 0x7FFu); }
    uint32_t commentLength() const { return static_cast<uint32_t>((word >> 39) & 0x3Fu); }
    uint32_t lengthExcess() const { return static_cast<uint32_t>((word >> 45) & 7u); }
    bool hasLength() const { return ((word >> 48) & 1u) != 0; }
    bool hasType() const { return ((word >> 49) & 1u) != 0; }
    uint32_t shortName() const { return static_cast<uint32_t>((word >> 50) & 0x7FFu); }
    Role role() const { return static_cast<Role>((word >> 61) & 3u); }
    // Kept whole in the extras: only role() holds here.
    bool hasExtra() const { return (word >> 63) != 0; }
};
static_assert(sizeof(StoredTag) == 8, "a stored tag stays small");

// What a load keeps of the file: its text, its stored tags and their names.
// A document filled from the load shares it, so the values of a whole
// logbook are read from the one copy of the text until they are edited.
struct LoadedText {
    // A tag that did not fit its stored form, whole.
    struct Extra {
        uint32_t tag = 0;  // index in tags
        TagFields fields;
    };

    std::string source;
    // The file offset of source[0]: 0 for a whole load, the batch's first
    // tag for a batch read (the tags keep their offsets in the file).
    size_t base = 0;
    std::vector<StoredTag> tags;
    // The file offset of tag 0, kBlock, 2 kBlock, ...
    std::vector<uint32_t> anchors;
    std::vector<std::string> tagNames;
    std::vector<NameFacts> nameFacts;  // of each tag name
    std::vector<Extra> extras;         // in the order of their tags

    // Stores the tag after the others. Tags come in file order.
    void push(const TagFields &fields);
    // Stores the reader's common tags a quicker way (below).
    class PlainTags;
    // Forgets every tag (the names stay).
    void clearTags();
    // Room for this many tags.
    void reserveTags(size_t count);
    TagFields fields(size_t index) const;
    // True when the tag has a length and its value is not as long.
    bool lengthDiffers(size_t index) const;
    // A stored tag's value, straight from its stored form when it has one.
    std::string_view valueAt(size_t index) const;
    std::string_view valueOf(const TagFields &tag) const;
    std::string_view commentOf(const TagFields &tag) const;

private:
    void openBlock(int32_t tagOffset);
    bool packs(const TagFields &fields, StoredTag &tag) const;
    void pushExtra(const TagFields &fields);
    TagFields extraFields(size_t index) const;
    uint32_t anchorOf(size_t index) const { return anchors[index >> StoredTag::kBlockBits]; }
};

// Inline: a load stores every tag through it, and the fields it packs
// are still in registers.
inline bool LoadedText::packs(const TagFields &fields, StoredTag &tag) const
{
    // push has given the tag's block its anchor.
    const int64_t delta = static_cast<int64_t>(fields.tagOffset) - anchorOf(tags.size());
    // A value cut short by the next tag is a few bytes shorter than declared.
    const int64_t excess = fields.hasLength
        ? static_cast<int64_t>(fields.declaredLength) - fields.valueLength
        : (fields.declaredLength == 0 ? 0 : -1);
    if (delta < 0 || static_cast<uint64_t>(delta) >= StoredTag::kOffsetLimit
        || fields.tagLength == 0 || fields.tagLength >= StoredTag::kTagLengthLimit
        || fields.valueLength < 0
        || static_cast<uint64_t>(fields.valueLength) >= StoredTag::kValueLimit
        || fields.commentLength < 0
        || static_cast<uint64_t>(fields.commentLength) >= StoredTag::kCommentLimit || excess < 0
        || static_cast<uint64_t>(excess) >= StoredTag::kExcessLimit)
        return false;
    uint64_t role = StoredTag::Field;
    if (fields.kind == TagEndOfRecord || fields.kind == TagEndOfFile) {
        // A marker: no name, no length, no type.
        if (fields.nameIndex != -1 || fields.hasLength || fields.hasType || fields.isTimeOn
            || fields.dataType != TypeMarker || fields.declaredLength != 0)
            return false;
        role = fields.kind == TagEndOfRecord ? StoredTag::EndOfRecord : StoredTag::EndOfFile;
    } else {
        // A field: all but its lengths as its name says.
        if (fields.nameIndex < 0 || static_cast<size_t>(fields.nameIndex) >= nameFacts.size()
            || static_cast<uint64_t>(fields.nameIndex) + 1 >= StoredTag::kNameLimit)
            return false;
        const NameFacts &name = nameFacts[static_cast<size_t>(fields.nameIndex)];
        if (fields.kind != (name.known ? TagKnownField : TagUserField)
            || fields.isTimeOn != name.isTimeOn
            || fields.dataType != (fields.hasLength ? name.typeWithLength : name.typeWithoutLength))
            return false;
    }
    tag.word = static_cast<uint64_t>(delta) | static_cast<uint64_t>(fields.tagLength) << 20
        | static_cast<uint64_t>(fields.valueLength) << 28
        | static_cast<uint64_t>(fields.commentLength) << 39 | static_cast<uint64_t>(excess) << 45
        | static_cast<uint64_t>(fields.hasLength) << 48
        | static_cast<uint64_t>(fields.hasType) << 49
        | static_cast<uint64_t>(fields.nameIndex + 1) << 50 | role << 61;
    return true;
}

inline void LoadedText::openBlock(int32_t tagOffset)
{
    if ((tags.size() & (StoredTag::kBlock - 1)) == 0)
        anchors.push_back(static_cast<uint32_t>(tagOffset));
}

inline void LoadedText::push(const TagFields &fields)
{
    openBlock(fields.tagOffset);
    StoredTag tag;
    if (packs(fields, tag)) {
        tags.push_back(tag);
        return;
    }
    pushExtra(fields);
}

// Stores the reader's common tags straight into room made ahead at the end
// of `tags` (a whole load stores millions): field tags with a length and no
// type of their own, whose kind, data type and time flag are their name's
// (nameFacts), so only their lengths and place are looked at; and five-byte
// end-of-record markers. A tag that does not fit its stored form goes
// through push. The room left over is given back when it goes.
class LoadedText::PlainTags {
public:
    // Where the next tags go. A loop may copy it, store through the copy
    // (put) and give it back (update) before any other call.
    struct Room {
        StoredTag *first = nullptr;  // tags[0]
        StoredTag *next = nullptr;
        StoredTag *end = nullptr;  // of the room made
        uint32_t anchor = 0;       // of next's block, once that has opened
    };

    explicit PlainTags(LoadedText &text)
        : text_(text)
    {
        open(text.tags.size());
    }
    ~PlainTags() { close(); }
    PlainTags(const PlainTags &) = delete;
    PlainTags &operator=(const PlainTags &) = delete;

    const Room &room() const { return room_; }
    void update(const Room &room) { room_ = room; }

    // The part of a field tag's word its name gives (the name and the
    // length flag); 0 when the name's index does not fit.
    static uint64_t nameParts(int32_t nameIndex)
    {
        const auto name = static_cast<uint64_t>(static_cast<uint32_t>(nameIndex + 1));
        return name == 0 || name >= StoredTag::kNameLimit ? 0 : name << 50 | uint64_t{1} << 48;
    }
    // The word of a field tag without its place; 0 when the parts do not fit.
    static uint64_t fieldParts(size_t tagLength, size_t valueLength, size_t commentLength,
                               size_t lengthExcess, int32_t nameIndex)
    {
        const uint64_t name = nameParts(nameIndex);
        if ((tagLength >> 8 | valueLength >> 11 | commentLength >> 6 | lengthExcess >> 3) != 0
            || tagLength == 0 || name == 0)
            return 0;
        return name | tagLength << 20 | valueLength << 28 | commentLength << 39
            | lengthExcess << 45;
    }
    // The word of "<EOR>" with `blanks` bytes after it, without its place; 0
    // when they do not fit.
    static uint64_t endOfRecordParts(size_t blanks)
    {
        return blanks >> 11 != 0
            ? 0
            : uint64_t{5} << 20 | blanks << 28 | uint64_t{StoredTag::EndOfRecord} << 61;
    }
    // The tag whose word is `parts` and its place, into the room (which must
    // have some left); false when the place does not fit.
    static bool put(Room &room, std::vector<uint32_t> &anchors, size_t tagOffset, uint64_t parts)
    {
        const bool opens = ((room.next - room.first) & (StoredTag::kBlock - 1)) == 0;
        const size_t delta = opens ? 0 : tagOffset - room.anchor;
        if (delta >= StoredTag::kOffsetLimit || tagOffset >= (size_t{1} << 31))
            return false;
        if (opens) {
            room.anchor = static_cast<uint32_t>(tagOffset);
            anchors.push_back(room.anchor);
        }
        room.next->word = parts | delta;
        ++room.next;
        return true;
    }

    void push(const TagFields &fields)
    {
        close();
        text_.push(fields);
        open(text_.tags.size());
    }
    // More room when none is left: twice as much as last time, up to
    // kMostRoom (made room is zeroed, and a reader called for a few tags
    // at a time uses little of it).
    void makeRoom()
    {
        if (room_.next == room_.end) {
            roomSize_ = std::min(2 * roomSize_, kMostRoom);
            open(static_cast<size_t>(room_.next - room_.first));
        }
    }

private:
    static constexpr size_t kLeastRoom = StoredTag::kBlock;
    static constexpr size_t kMostRoom = 4096;

    void open(size_t stored)
    {
        // Within the reserved room while it lasts.
        const size_t spare = text_.tags.capacity() - stored;
        text_.tags.resize(stored + (spare == 0 ? roomSize_ : std::min(spare, roomSize_)));
        room_.first = text_.tags.data();
        room_.next = room_.first + stored;
        room_.end = room_.first + text_.tags.size();
        room_.anchor = (stored & (StoredTag::kBlock - 1)) == 0 ? 0 : text_.anchors.back();
    }
    void close() { text_.tags.resize(static_cast<size_t>(room_.next - room_.first)); }
    LoadedText &text_;
    size_t roomSize_ = kLeastRoom;
    Room room_;
};

inline TagFields LoadedText::fields(size_t index) const
{
    if (index >= tags.size())
        return TagFields{};
    const StoredTag tag = tags[index];
    if (tag.hasExtra())
        return extraFields(index);
    TagFields fields;
    fields.tagOffset = static_cast<int32_t>(anchorOf(index) + tag.offsetDelta());
    fields.tagLength = static_cast<uint16_t>(tag.tagLength());
    fields.valueLength = static_cast<int32_t>(tag.valueLength());
    fields.commentLength = static_cast<int32_t>(tag.commentLength());
    fields.hasLength = tag.hasLength();
    fields.hasType = tag.hasType();
    fields.declaredLength
        = tag.hasLength() ? fields.valueLength + static_cast<int32_t>(tag.lengthExcess()) : 0;
    fields.nameIndex = static_cast<int32_t>(tag.shortName()) - 1;
    if (tag.role() == StoredTag::Field) {
        const NameFacts &name = nameFacts[static_cast<size_t>(fields.nameIndex)];
        fields.kind = name.known ? TagKnownField : TagUserField;
        fields.isTimeOn = name.isTimeOn;
        fields.dataType = tag.hasLength() ? name.typeWithLength : name.typeWithoutLength;
    } else {
        fields.kind = tag.role() == StoredTag::EndOfRecord ? TagEndOfRecord : TagEndOfFile;
        fields.dataType = TypeMarker;
    }
    return fields;
}

inline bool LoadedText::lengthDiffers(size_t index) const
{
    const StoredTag tag = tags[index];
    if (!tag.hasExtra())
        return tag.hasLength() && tag.lengthExcess() != 0;
    const TagFields whole = extraFields(index);
    return whole.hasLength && whole.valueLength != whole.declaredLength;
}

inline std::string_view LoadedText::valueAt(size_t index) const
{
    const StoredTag tag = tags[index];
    if (tag.hasExtra())
        return valueOf(fields(index));
    const size_t at = anchorOf(index) + tag.offsetDelta() + tag.tagLength() - base;
    return {source.data() + at, tag.valueLength()};
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
