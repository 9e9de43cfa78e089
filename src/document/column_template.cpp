#include "document/column_template.h"

#include "adif/field_catalogue.h"
#include "adif/text.h"
#include "adif/value_format.h"

namespace vaziduvu {

const char *const kUserDataTypeNames[kUserDataTypeCount]
    = {"Character", "Number", "Date", "Memo", "Time"};

const char *const kNumericInitialValueMessage
    = "Numeric initial value required ... \r\n Column will not be added ... ";
const char *const kTimeInitialValueMessage
    = "Time initial value is not valid ... \r\n Column will not be added ...";
const char *const kDateInitialValueMessage
    = "Date initial value is not valid ... \r\n Column will not be added ...";
const char *const kUserNameMissingMessage
    = "Must supply a name for your user defined field. \r\n Column will not be added";
const char *const kUserTypeMissingMessage
    = "Must supply data-type for user defined type ... \r\n Column will not be added ...";
const char *const kUnknownCatalogueNameMessage
    = "Not a standard column name ... \r\n Use a user defined column for this name. \r\n Column "
      "will not be added ...";

namespace {

struct UserType {
    uint8_t dataType;
    bool isTimeOn;
};

// "Time" columns are character data that the time check guards.
constexpr UserType kUserTypes[kUserDataTypeCount] = {
    {TypeCharacter, false}, {TypeNumber, false},   {TypeDate, false},
    {TypeMultiLine, false}, {TypeCharacter, true},
};

bool startsTimeName(std::string_view name, std::string_view timeName)
{
    return name.size() <= timeName.size() && timeName.substr(0, name.size()) == name;
}

}  // namespace

bool isDialogTimeName(std::string_view name)
{
    return startsTimeName(name, "TIME_ON") || startsTimeName(name, "TIME_OFF");
}

bool isNumericInitialValue(std::string_view text)
{
    return isDigits(text);
}

bool isTimeInitialValue(std::string_view text)
{
    return text.empty() || isValidTimeText(text);
}

bool isDateInitialValue(std::string_view text, int latestYear)
{
    const std::string trimmed = trimText(text);
    return trimmed.empty() || isValidDateText(trimmed, latestYear);
}

ColumnTemplate buildColumnTemplate(const ColumnRequest &request, int latestYear)
{
    ColumnTemplate result;
    TagRecord &record = result.record;
    const std::string name = trimText(upperText(request.name));
    const bool typeChosen = request.userType >= 0 && request.userType < kUserDataTypeCount;

    record.hasLength = true;
    record.declaredLength = 0;
    record.name = name;
    record.value = trimText(request.initialValue);
    record.errorCode = ParseStatus::Ok;
    record.errorPosition = 0;
    record.errorLength = 0;
    record.rawTag = "<" + name + ">";
    if (request.userDefined) {
        record.kind = TagUserField;
        record.hasType = true;
        record.dataType = typeChosen ? kUserTypes[request.userType].dataType : uint8_t{TypeDate};
        record.isTimeOn = typeChosen && kUserTypes[request.userType].isTimeOn;
    } else {
        record.kind = TagKnownField;
        record.hasType = false;
        record.dataType = catalogueTypeOf(name);
        record.isTimeOn = isDialogTimeName(name);
    }

    if (record.dataType == TypeNumber && !isNumericInitialValue(request.initialValue))
        result.refusal = kNumericInitialValueMessage;
    else if (record.isTimeOn && !isTimeInitialValue(request.initialValue))
        result.refusal = kTimeInitialValueMessage;
    else if (record.dataType == TypeDate && !isDateInitialValue(request.initialValue, latestYear))
        result.refusal = kDateInitialValueMessage;
    else if (!request.userDefined && record.dataType == TypeInvalid)
        result.refusal = kUnknownCatalogueNameMessage;
    else if (request.userDefined && name.empty())
        result.refusal = kUserNameMissingMessage;
    else if (request.userDefined && !typeChosen)
        result.refusal = kUserTypeMissingMessage;
    return result;
}

}  // namespace vaziduvu
