#pragma once

#include "adif/adif_mode.h"

#include <QString>

#include <string>
#include <string_view>

namespace vaziduvu {

// Every byte of the document crosses into Qt as the Latin-1 character it is,
// and back, so nothing a log holds is ever changed by the display.
inline QString toQt(std::string_view bytes)
{
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string fromQt(const QString &text)
{
    const QByteArray bytes = text.toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

// The same in a document's encoding: a UTF-8 document shows its bytes
// decoded as UTF-8 and stores what is typed as UTF-8, so the byte counts the
// writers put into the tags are right. Bytes that are not UTF-8 show as the
// replacement character; the document keeps them as they are until the cell
// is edited.
inline QString toQt(std::string_view bytes, TextEncoding encoding)
{
    if (encoding == TextEncoding::Latin1)
        return toQt(bytes);
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string fromQt(const QString &text, TextEncoding encoding)
{
    if (encoding == TextEncoding::Latin1)
        return fromQt(text);
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace vaziduvu
