#pragma once

#include <cstdint>

namespace vaziduvu {

// Which ADIF the program reads and checks. Classic is the default: the
// vocabulary, limits and reading rules the program has always had. Current
// is the opt-in mode with the vocabulary of ADIF 3.1.6 (current_vocabulary.h)
// and its reading rules.
enum class AdifMode : uint8_t {
    Classic,
    Current,
};

// How the bytes of a log's text are shown. Latin1 is the default: every byte
// is the character it is. Utf8 is chosen only in the Current mode, for a file
// that is valid UTF-8 (or starts with a UTF-8 byte-order mark); the bytes
// stay as they are either way.
enum class TextEncoding : uint8_t {
    Latin1,
    Utf8,
};

}  // namespace vaziduvu
