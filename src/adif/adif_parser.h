#pragma once

#include "adif/adif_file.h"
#include "adif/field_catalogue.h"

#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vaziduvu {

// The part of a file the parser sees: the bytes from file offset `base` on.
// `atEnd` when they run to the end of the file; otherwise a step that would
// look past them asks for more instead of reading the end as the file's.
struct TextWindow {
    std::string_view text;
    size_t base = 0;
    bool atEnd = true;

    size_t end() const { return base + text.size(); }
};

// What a first look at the whole text decides before any tag is read.
struct TextFacts {
    size_t size = 0;
    size_t zeroAt = std::string_view::npos;    // first zero byte
    size_t start = 0;                          // after a UTF-8 byte-order mark (Current)
    bool utf8 = false;                         // Current: read and shown as UTF-8
    bool startsWithTag = false;                // the text at `start` is a '<'
    size_t headerAt = std::string_view::npos;  // the first "<EOH>"

    // How far the look has come, window after window.
    size_t surveyed = 0;
    size_t utf8From = 0;
    bool nonAscii = false;
    bool validUtf8 = true;
};

// The steps of reading a log, shared by a whole load (one window holding the
// whole text) and a read a batch of records at a time (a window sliding over
// the file): the text's facts, the header, the bracket balance, and the tags
// of the data section one by one. Every step leaves its outcome and counts in
// the AdifFile it reads for; positions are offsets into the file whatever
// the window.
class AdifParser {
public:
    // What a step did.
    enum class Step {
        Done,      // finished; file.result() says how
        NeedMore,  // the window ends too soon: call again with more of the text
        Paused,    // stopped where asked (a batch is complete): call again to go on
    };

    // `ownNames`: the name spellings are copied (the window moves); otherwise
    // they point into the text, which then stays put for the whole parse.
    AdifParser(AdifFile &file, bool ownNames);
    AdifParser(const AdifParser &) = delete;
    AdifParser &operator=(const AdifParser &) = delete;

    // Facts of a whole text at once.
    static TextFacts factsOf(std::string_view text, bool current);
    // The same, a window at a time from facts.surveyed on (the next window
    // starts there); true once the facts are complete (a zero byte ends
    // them early).
    static bool survey(TextFacts &facts, const TextWindow &window, bool current);

    // The text before the data: zero byte, encoding, header. `headerText` is
    // the text from facts.start to facts.headerAt (when there is a header).
    // False when the parse ends here (the outcome says why).
    bool readPreamble(const TextFacts &facts, std::string_view headerText);
    size_t dataStart() const { return dataStart_; }

    // The balance of '<' and '>' over the whole text, header included.
    // Stops before the first bracket at or after `stopAt` (Paused).
    Step checkBrackets(const TextWindow &window, size_t stopAt = std::string_view::npos);
    // '<' seen at or after the data start: a whole load reserves its tags.
    size_t dataOpenings() const { return dataOpenings_; }
    // Where the bracket check must see the text from when it asks for more.
    size_t bracketsNeedFrom() const;

    // The tags of the data section into `out` (offsets into the file), from
    // where the last call left off, until the end, an error, or the pause.
    Step readData(const TextWindow &window, LoadedText &out, Progress *progress);
    // Pauses readData after `records` more end-of-record markers.
    void pauseAfterRecords(int64_t records) { recordsLeft_ = records; }
    // A whole load may check the brackets of the data section as it reads
    // its tags, once the header's are checked (checkBrackets up to the data
    // start): for a clean text the walk from tag to tag meets every bracket
    // in the order the full check would. When it meets one out of that order,
    // or ends early, bracketsHeld() is false and the full check must decide.
    bool canCheckBracketsWithData() const;
    void checkBracketsWithData() { withData_ = true; }
    bool bracketsHeld() const { return bracketsHeld_; }
    // Forgets every tag, name and count the data section gave (a bracket
    // error found afterwards outranks them).
    void discardData(LoadedText &out);

    // Offset of the next tag to read.
    size_t position() const { return p_; }
    // The first field tag of the record being read (npos: none).
    size_t openRecordStart() const { return recordStart_; }

private:
    struct NameInfo {
        int32_t index = -1;                   // in tagNames
        bool known = false;                   // a leading part of (or equal to) a catalogue name
        uint8_t entryType = TypeOtherLetter;  // type of the matched entry, for tags with a length
        uint8_t prefixType = TypeInvalid;     // catalogueTypeOf, for tags without a length
        bool isTimeOn = false;
        bool bracketFree = true;      // the spelling holds neither '<' nor '>'
        mutable bool listed = false;  // its field is in the file's field names
        std::string_view spelling;    // as read (the key it is kept under)
        // The name that followed this one last time: records mostly repeat
        // their field order, so the next name is tried there first.
        mutable const NameInfo *follower = nullptr;
        // "<NAME:" as read, zero after its end, compared at once when the
        // name is predicted; its length, 0 when it is longer than sixteen
        // bytes or the spelling holds a bracket.
        char opening[16] = {};
        uint8_t openingLength = 0;
        // The opening's length once the quick loop may take the name (it is
        // listed and its index fits a stored tag); else 0.
        mutable uint8_t quickOpening = 0;
        uint64_t fieldWord = 0;  // LoadedText::PlainTags::nameParts
    };
    enum class TagStep { Next, NeedMore, End, Finish, Paused, Other };

    void fail(ParseStatus status, size_t position, size_t length);
    const NameInfo &nameInfo(std::string_view rawName, LoadedText &out);
    bool readNameAndLength(std::string_view inner, TagFields &stored, size_t p, LoadedText &out);
    TagStep readPlainFields(const TextWindow &window, size_t local, size_t stopAt, LoadedText &out);
    // Where the quick loop of readPlainFields starts and how far it came.
    struct QuickRun {
        size_t local = 0;
        const NameInfo *previous = nullptr;
        size_t recordStart = 0;
        bool markers = false;  // end-of-record markers are read too
        int tags = 0;
        int32_t records = 0;
        LoadedText::PlainTags::Room room;
    };
    static void readQuickTags(QuickRun &run, const char *data, size_t size, size_t stopAt,
                              std::vector<uint32_t> &anchors);
    TagStep readTag(const TextWindow &window, size_t local, LoadedText &out);
    void noteFieldName(int32_t nameIndex, LoadedText &out);
    void finishData(LoadedText &out);

    AdifFile &file_;
    bool current_ = false;
    bool utf8_ = false;
    bool ownNames_ = false;
    bool withData_ = false;
    bool bracketsHeld_ = true;
    size_t dataStart_ = 0;

    // Bracket balance, carried from window to window.
    char last_ = 0;
    size_t lastAt_ = 0;
    size_t openFrom_ = 0;   // next '<' is searched from here
    size_t closeFrom_ = 0;  // next '>' is searched from here
    size_t dataOpenings_ = 0;

    // Data scan. Names are looked up once per distinct spelling.
    std::unordered_map<std::string_view, NameInfo> names_;
    std::deque<std::string> spellings_;            // the keys when the names are owned
    NameInfo start_;                               // the name before the first
    const NameInfo *previous_ = &start_;           // of the last field tag read
    size_t recordStart_ = std::string_view::npos;  // first field tag of the open record
    size_t p_ = 0;
    int64_t recordsLeft_ = -1;
    size_t nextReport_ = 0;
    int slot_ = 0;
    bool dataStarted_ = false;
};

}  // namespace vaziduvu
