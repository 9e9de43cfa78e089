#pragma once

#include "adif/adif_mode.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace vaziduvu {

// Writes JSON as it goes, into a buffer flushed to the stream in large
// pieces: no document of the whole output is ever built, so memory stays
// that of the log being read. Strings are log bytes and the output is always
// valid UTF-8: Latin-1 text is converted; UTF-8 text (a UTF-8 log read in the
// Current mode) passes as it is, and a byte that starts no UTF-8 character
// in it is taken as Latin-1. Compact, or indented by two blanks a level.
class JsonWriter {
public:
    JsonWriter(std::ostream &out, bool pretty, TextEncoding encoding = TextEncoding::Latin1);
    ~JsonWriter();
    JsonWriter(const JsonWriter &) = delete;
    JsonWriter &operator=(const JsonWriter &) = delete;

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The key of the next value in an object.
    void key(std::string_view name);
    void value(std::string_view text);
    void value(const char *text) { value(std::string_view(text)); }
    void value(int64_t number);
    void value(bool flag);
    // A key and its value, in an object.
    template <typename Value> void member(std::string_view name, const Value &item)
    {
        key(name);
        value(item);
    }
    // Ends the document with a line feed and flushes it.
    void finish();

private:
    void beforeValue();
    void newLine();
    void appendString(std::string_view text);
    void flushIfFull();

    std::ostream &out_;
    bool pretty_;
    std::string buffer_;
    // Per open container: whether it has a member yet.
    std::vector<bool> hasMember_;
    bool afterKey_ = false;
    TextEncoding encoding_;
};

}  // namespace vaziduvu
