#include "formats/contact_log.h"

#include "adif/field_catalogue.h"
#include "adif/text.h"
#include "adif/utf8_text.h"
#include "document/log_document.h"

#include <unordered_set>

namespace vaziduvu {

std::string_view Contact::value(std::string_view name) const
{
    for (const ContactField &field : fields) {
        if (field.name == name)
            return field.value;
    }
    return {};
}

bool logTextOfUtf8(std::string_view value, bool fileIsUtf8, AdifMode mode, std::string &out)
{
    if (!fileIsUtf8 || mode == AdifMode::Current) {
        out.assign(value);
        return true;
    }
    out.clear();
    return utf8ToLatin1(value, out);
}

std::string utf8OfLogText(std::string_view value, const LogDocument &document)
{
    if (document.textEncoding() == TextEncoding::Utf8)
        return std::string(value);
    return latin1ToUtf8(value);
}

void checkCarriable(ContactLog &log, AdifMode mode)
{
    for (const Contact &contact : log.contacts) {
        for (const ContactField &field : contact.fields) {
            if (field.name.empty() || field.name == "EOR" || field.name == "EOH"
                || field.name.find_first_of("<>:,") != std::string::npos
                || field.name.find('\0') != std::string::npos) {
                log.problems.push_back(
                    {contact.line, "the field name \"" + field.name + "\" is no ADIF field name"});
            } else if (field.value.find('\0') != std::string::npos) {
                log.problems.push_back({contact.line, field.name + " holds a zero byte"});
            } else if (mode == AdifMode::Classic
                       && field.value.find_first_of("<>") != std::string::npos) {
                log.problems.push_back({contact.line,
                                        field.name
                                            + " holds '<' or '>', which only Current ADIF "
                                              "(--current-adif) carries"});
            }
        }
    }
}

std::string adifTextOf(const ContactLog &log, std::string_view origin)
{
    std::string text = "Converted by vaziduvu from ";
    text += origin;
    text += "\r\n<EOH>\r\n";
    for (const Contact &contact : log.contacts) {
        for (const ContactField &field : contact.fields) {
            text += '<';
            text += field.name;
            text += ':';
            text += std::to_string(field.value.size());
            if (field.type != 0 && typeCodeOfLetter(upperChar(field.type)) != TypeInvalid) {
                text += ':';
                text += upperChar(field.type);
            }
            text += '>';
            text += field.value;
            text += ' ';
        }
        text += "<EOR>\r\n";
    }
    return text;
}

OpenedLog openContactLog(const ContactLog &log, AdifMode mode, std::string_view origin,
                         const OpenSteps &steps)
{
    return openLogFromBytes(adifTextOf(log, origin), mode, steps);
}

ContactLog contactLogOf(const LogDocument &document)
{
    ContactLog log;
    const int columns = document.columnCount();
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(std::max(columns, 0)));
    for (int column = 0; column < columns; ++column)
        names.push_back(upperText(trimText(document.text(column, 0))));
    TagRecord scratch;
    log.contacts.reserve(static_cast<size_t>(std::max(document.rowCount() - 1, 0)));
    for (int row = 1; row < document.rowCount(); ++row) {
        Contact contact;
        contact.line = row;
        for (int column = 1; column < columns; ++column) {
            const std::string_view text = document.text(column, row);
            if (text.empty() || names[static_cast<size_t>(column)].empty())
                continue;
            ContactField field{names[static_cast<size_t>(column)], std::string(text), 0};
            const TagRecord *record
                = document.recordAt(column, row, scratch, LogDocument::RecordTexts::Without);
            if (record != nullptr && record->hasType && typeLetterOf(record->dataType) != 'Z')
                field.type = typeLetterOf(record->dataType);
            contact.fields.push_back(std::move(field));
        }
        log.contacts.push_back(std::move(contact));
    }
    return log;
}

std::vector<std::string> fieldNamesOf(const ContactLog &log)
{
    std::vector<std::string> names;
    std::unordered_set<std::string> seen;
    for (const Contact &contact : log.contacts) {
        for (const ContactField &field : contact.fields) {
            if (seen.insert(field.name).second)
                names.push_back(field.name);
        }
    }
    return names;
}

}  // namespace vaziduvu
