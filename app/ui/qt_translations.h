#pragma once
// Qt's own texts (the standard buttons of message boxes, the file and print dialogs) in the
// language the user chose for the program's texts.

#include <QString>
#include <string_view>

namespace korvel {

// The locale name ("de", "pt_BR") of a language code of the language file ("DEU", "PTB");
// empty for a code the program does not know.
QString localeOfLanguageCode(std::string_view code);

// Installs Qt's translation for the language into the running application and makes its locale
// Qt's default, so that the file and print dialogs also show dates, sizes and file types the
// language's way. False when the code is unknown or no translation is found (Qt's texts then
// stay English).
bool installQtTranslations(std::string_view languageCode);

}  // namespace korvel
