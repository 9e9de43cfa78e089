#pragma once

#include <QString>

#include <string>

namespace vaziduvu {

// A log holds single-byte (Latin-1) text. The characters of an entry that
// Latin-1 cannot hold, named by their code points ("U+0141, U+20AC"), each
// once; empty when every character fits.
inline std::string charactersOutsideLatin1(const QString &text)
{
    std::string named;
    QString seen;
    for (const QChar c : text) {
        if (c.unicode() <= 0xFF || seen.contains(c))
            continue;
        seen += c;
        if (!named.empty())
            named += ", ";
        named += "U+"
            + QString::number(c.unicode(), 16).toUpper().rightJustified(4, '0').toStdString();
    }
    return named;
}

// The message for such an entry.
inline std::string outsideLatin1Message(const std::string &named)
{
    return "The log holds single-byte (Latin-1) text, so these characters cannot be stored: "
        + named + ".\r\nNothing was changed.";
}

}  // namespace vaziduvu
