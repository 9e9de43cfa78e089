#include "formats/adx_format.h"

#include "adif/current_vocabulary.h"
#include "adif/text.h"
#include "adif/utf8_text.h"
#include "document/log_document.h"
#include "formats/xml_element.h"

#include <unordered_map>

namespace vaziduvu {

namespace {

// How a field is written in ADX.
enum class AdxFieldKind { Element, App, UserDef };

struct AdxName {
    AdxFieldKind kind = AdxFieldKind::UserDef;
    std::string programId;  // App
    std::string fieldName;  // App
};

AdxName adxNameOf(const std::string &name)
{
    AdxName result;
    if (name.rfind("APP_", 0) == 0) {
        const size_t split = name.find('_', 4);
        if (split != std::string::npos && split > 4 && split + 1 < name.size()) {
            result.kind = AdxFieldKind::App;
            result.programId = name.substr(4, split - 4);
            result.fieldName = name.substr(split + 1);
            return result;
        }
        return result;
    }
    const CurrentField *field = findCurrentField(name);
    if (field != nullptr && !field->header && name == field->name)
        result.kind = AdxFieldKind::Element;
    return result;
}

// ADIF 3.1.6's type indicators; the Classic character type is a string.
char adxTypeOf(char letter)
{
    const char upper = upperChar(letter);
    static constexpr std::string_view kIndicators = "BNDTSIMGEL";
    if (upper != 0 && kIndicators.find(upper) != std::string_view::npos)
        return upper;
    return 'S';
}

void indent(int depth, std::string &out)
{
    out.append(static_cast<size_t>(depth) * 2, ' ');
}

std::string upperTrimmed(std::string_view text)
{
    return upperText(trimmedView(text));
}

}  // namespace

std::string writeAdx(const LogDocument &document)
{
    const ContactLog log = contactLogOf(document);
    std::vector<std::string> userDefs;
    std::unordered_map<std::string, char> userDefType;
    for (const Contact &contact : log.contacts) {
        for (const ContactField &field : contact.fields) {
            if (adxNameOf(field.name).kind != AdxFieldKind::UserDef)
                continue;
            if (userDefType.emplace(field.name, adxTypeOf(field.type)).second)
                userDefs.push_back(field.name);
        }
    }

    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ADX>\n";
    indent(1, out);
    out += "<HEADER>\n";
    indent(2, out);
    out += "<ADIF_VER>3.1.6</ADIF_VER>\n";
    indent(2, out);
    out += "<PROGRAMID>vaziduvu</PROGRAMID>\n";
    indent(2, out);
    out += "<PROGRAMVERSION>" VAZIDUVU_VERSION "</PROGRAMVERSION>\n";
    for (size_t i = 0; i < userDefs.size(); ++i) {
        indent(2, out);
        out += "<USERDEF FIELDID=\"" + std::to_string(i + 1) + "\" TYPE=\"";
        out += userDefType[userDefs[i]];
        out += "\">";
        appendXmlEscaped(utf8OfLogText(userDefs[i], document), out);
        out += "</USERDEF>\n";
    }
    indent(1, out);
    out += "</HEADER>\n";
    indent(1, out);
    out += "<RECORDS>\n";
    for (const Contact &contact : log.contacts) {
        indent(2, out);
        out += "<RECORD>\n";
        for (const ContactField &field : contact.fields) {
            const AdxName name = adxNameOf(field.name);
            indent(3, out);
            const char *closing = "</USERDEF>\n";
            switch (name.kind) {
            case AdxFieldKind::Element:
                out += '<' + field.name + '>';
                closing = nullptr;
                break;
            case AdxFieldKind::App:
                out += "<APP PROGRAMID=\"";
                appendXmlEscaped(utf8OfLogText(name.programId, document), out);
                out += "\" FIELDNAME=\"";
                appendXmlEscaped(utf8OfLogText(name.fieldName, document), out);
                out += "\" TYPE=\"";
                out += adxTypeOf(field.type);
                out += "\">";
                closing = "</APP>\n";
                break;
            case AdxFieldKind::UserDef:
                out += "<USERDEF FIELDNAME=\"";
                appendXmlEscaped(utf8OfLogText(field.name, document), out);
                out += "\">";
                break;
            }
            appendXmlEscaped(utf8OfLogText(field.value, document), out);
            if (closing != nullptr)
                out += closing;
            else
                out += "</" + field.name + ">\n";
        }
        indent(2, out);
        out += "</RECORD>\n";
    }
    indent(1, out);
    out += "</RECORDS>\n</ADX>\n";
    return out;
}

std::string adxProblem(const LogDocument &document)
{
    for (int row = 1; row < document.rowCount(); ++row) {
        for (int column = 1; column < document.columnCount(); ++column) {
            if (!isXmlText(document.text(column, row)))
                return "row " + std::to_string(row) + ", " + upperTrimmed(document.text(column, 0))
                    + ": a control character XML cannot hold";
        }
    }
    for (int column = 1; column < document.columnCount(); ++column) {
        if (!isXmlText(document.text(column, 0)))
            return "the column name " + std::to_string(column)
                + " holds a control character XML cannot hold";
    }
    return {};
}

ContactLog readAdx(std::string_view bytes, const ReadOptions &options)
{
    ContactLog log;
    const XmlDocument xml = readXml(bytes);
    if (!xml.ok) {
        log.problems.push_back({xml.errorLine, xml.error});
        return log;
    }
    if (upperTrimmed(xml.root.name) != "ADX") {
        log.problems.push_back(
            {xml.root.line, "the root element is <" + xml.root.name + ">, not <ADX>"});
        return log;
    }
    const bool utf8 = !xml.latin1 && isValidUtf8(bytes);
    std::unordered_map<std::string, char> userDefType;
    std::string text;
    for (const XmlElement &part : xml.root.children) {
        if (upperTrimmed(part.name) == "HEADER") {
            for (const XmlElement &entry : part.children) {
                if (upperTrimmed(entry.name) == "USERDEF" && !entry.attribute("TYPE").empty())
                    userDefType[upperTrimmed(entry.text)] = entry.attribute("TYPE")[0];
            }
            continue;
        }
        if (upperTrimmed(part.name) != "RECORDS")
            continue;
        for (const XmlElement &record : part.children) {
            if (upperTrimmed(record.name) != "RECORD") {
                log.problems.push_back({record.line, "<" + record.name + "> inside <RECORDS>"});
                continue;
            }
            Contact contact;
            contact.line = record.line;
            bool readable = true;
            for (const XmlElement &field : record.children) {
                const std::string element = upperTrimmed(field.name);
                ContactField read;
                if (element == "APP") {
                    const std::string_view program = field.attribute("PROGRAMID");
                    const std::string_view name = field.attribute("FIELDNAME");
                    if (program.empty() || name.empty()) {
                        log.problems.push_back(
                            {field.line, "<APP> without PROGRAMID or FIELDNAME"});
                        readable = false;
                        continue;
                    }
                    read.name = "APP_" + upperTrimmed(program) + "_" + upperTrimmed(name);
                    const std::string_view type = field.attribute("TYPE");
                    read.type = type.empty() ? 0 : type[0];
                } else if (element == "USERDEF") {
                    read.name = upperTrimmed(field.attribute("FIELDNAME"));
                    if (read.name.empty()) {
                        log.problems.push_back({field.line, "<USERDEF> without FIELDNAME"});
                        readable = false;
                        continue;
                    }
                    const auto declared = userDefType.find(read.name);
                    read.type = declared == userDefType.end() ? 0 : declared->second;
                } else {
                    read.name = element;
                }
                if (!field.children.empty()) {
                    log.problems.push_back(
                        {field.line, "<" + field.name + "> holds elements, not a value"});
                    readable = false;
                    continue;
                }
                std::string name;
                if (!logTextOfUtf8(read.name, utf8, options.mode, name)
                    || !logTextOfUtf8(field.text, utf8, options.mode, text)) {
                    log.problems.push_back({field.line,
                                            read.name
                                                + " holds a character beyond Latin-1 "
                                                  "(Current ADIF, --current-adif, keeps it)"});
                    readable = false;
                    continue;
                }
                if (text.empty())
                    continue;
                if (!contact.value(name).empty()) {
                    log.problems.push_back({field.line, name + " appears twice in the record"});
                    readable = false;
                    continue;
                }
                read.name = std::move(name);
                read.value = text;
                contact.fields.push_back(std::move(read));
            }
            if (readable && !contact.fields.empty())
                log.contacts.push_back(std::move(contact));
        }
    }
    checkCarriable(log, options.mode);
    return log;
}

}  // namespace vaziduvu
