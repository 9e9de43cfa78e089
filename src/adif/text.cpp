#include "adif/text.h"

namespace vaziduvu {

std::string_view trimmedView(std::string_view text)
{
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && isTrimmedByte(text[begin]))
        ++begin;
    while (end > begin && isTrimmedByte(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

std::string trimText(std::string_view text)
{
    return std::string(trimmedView(text));
}

char upperChar(char c)
{
    const auto u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z')
        return static_cast<char>(u - 32);
    if (u >= 0xE0 && u <= 0xFE && u != 0xF7)
        return static_cast<char>(u - 32);
    return c;
}

std::string upperText(std::string_view text)
{
    std::string result(text);
    for (char &c : result)
        c = upperChar(c);
    return result;
}

std::string upperAsciiText(std::string_view text)
{
    std::string result(text);
    for (char &c : result)
        c = upperAscii(c);
    return result;
}

bool isDigits(std::string_view text)
{
    for (char c : text) {
        if (!isAsciiDigit(c))
            return false;
    }
    return true;
}

bool isDigitsOrDots(std::string_view text)
{
    for (char c : text) {
        if (!isAsciiDigit(c) && c != '.')
            return false;
    }
    return true;
}

int digitsValue(std::string_view digits)
{
    int value = 0;
    for (char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

std::string upperText(std::string_view text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Latin1)
        return upperText(text);
    return upperAsciiText(text);
}

}  // namespace vaziduvu
