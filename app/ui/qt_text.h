#pragma once
// The program holds its texts as UTF-8. Texts read from files (the language file, file names,
// data files, gauge replies) that are not valid UTF-8 are Windows-1252, as files written on
// Windows are; on the screen both show as the characters they stand for.

#include <QString>
#include <string>
#include <string_view>

#include "app/text_encoding.h"

namespace korvel {

inline QString toQt(std::string_view text) {
    const std::string utf8 = textAsUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string fromQt(const QString& text) {
    return text.toStdString();
}

}  // namespace korvel
