#pragma once

#include "document/log_document.h"
#include "formats/contact_log.h"

#include <string>
#include <vector>

namespace vaziduvu::test {

// The fields of every contact as "NAME=value" lines, one contact a line, for
// comparing two logs whole.
inline std::vector<std::string> fieldLines(const ContactLog &log)
{
    std::vector<std::string> lines;
    for (const Contact &contact : log.contacts) {
        std::string line;
        for (const ContactField &field : contact.fields)
            line += field.name + "=" + field.value + "|";
        lines.push_back(line);
    }
    return lines;
}

inline std::vector<std::string> fieldLines(const LogDocument &document)
{
    return fieldLines(contactLogOf(document));
}

inline std::string messages(const std::vector<LineMessage> &list)
{
    std::string text;
    for (const LineMessage &message : list)
        text += std::to_string(message.line) + ": " + message.text + "\n";
    return text;
}

}  // namespace vaziduvu::test
