#pragma once
// The program's texts are single bytes (the language file, file names, gauge replies); on the
// screen each byte is the character of the same value.

#include <QString>
#include <string>
#include <string_view>

namespace korvel {

inline QString toQt(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string fromQt(const QString& text) {
    return text.toLatin1().toStdString();
}

}  // namespace korvel
