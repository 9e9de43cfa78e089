#pragma once

#include "adif/text.h"

#include <string>
#include <string_view>

namespace vaziduvu {

// A grid text as trimText gives it, copied only when there is something to
// trim: the checks and writers visit every cell of a grid several times, and
// nearly every cell is already trimmed.
class TrimmedText {
public:
    explicit TrimmedText(std::string_view text)
        : text_(text)
        , changed_(!text.empty() && (isTrimmedByte(text.front()) || isTrimmedByte(text.back())))
    {
        if (changed_)
            trimmed_ = trimText(text);
    }

    std::string_view view() const { return changed_ ? std::string_view(trimmed_) : text_; }
    bool changed() const { return changed_; }
    std::string copy() const { return std::string(view()); }

private:
    std::string_view text_;
    bool changed_;
    std::string trimmed_;
};

// True when upperText would leave the text as it is.
inline bool isUpperText(std::string_view text)
{
    for (char c : text) {
        if (upperChar(c) != c)
            return false;
    }
    return true;
}

}  // namespace vaziduvu
