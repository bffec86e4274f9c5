#pragma once

// Framework texts are UTF-8 byte strings; Qt's are UTF-16.

#include "framework/Text.h"

#include <QString>

namespace fw::qt {

inline QString ToQt(const String& text)
{
    return QString::fromStdString(text);
}

inline String FromQt(const QString& text)
{
    return text.toStdString();
}

// A text shown as it is where Qt would read '&' as a mnemonic marker.
inline QString WithoutMnemonics(const String& text)
{
    return ToQt(text).replace(QLatin1Char('&'), QLatin1String("&&"));
}

} // namespace fw::qt
