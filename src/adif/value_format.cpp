#include "adif/value_format.h"
#include "adif/text.h"

namespace vaziduvu {

bool isValidDateText(std::string_view text, int latestYear)
{
    if (text.size() != 8 || !isDigits(text))
        return false;
    const int year = digitsValue(text.substr(0, 4));
    const int month = digitsValue(text.substr(4, 2));
    const int day = digitsValue(text.substr(6, 2));
    if (year > latestYear || year < kEarliestYear)
        return false;
    if (month > 12)
        return false;
    int longestDay = 30;
    switch (month) {
    case 2:
        longestDay = 29;
        break;
    case 1:
    case 3:
    case 5:
    case 7:
    case 8:
    case 10:
    case 12:
        longestDay = 31;
        break;
    default:
        break;
    }
    return day <= longestDay;
}

bool isValidTimeText(std::string_view text)
{
    if ((text.size() != 4 && text.size() != 6) || !isDigits(text))
        return false;
    if (digitsValue(text.substr(0, 2)) > 24)
        return false;
    if (digitsValue(text.substr(2, 2)) > 59)
        return false;
    if (text.size() == 6 && digitsValue(text.substr(4, 2)) > 59)
        return false;
    return true;
}

}  // namespace vaziduvu
