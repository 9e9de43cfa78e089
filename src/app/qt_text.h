#pragma once

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

}  // namespace vaziduvu
