#include "app/ui/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace korvel {

namespace {

// The three-letter language codes of the language file, as Windows abbreviates its languages.
struct LanguageLocale {
    const char* code;
    const char* locale;
};

constexpr LanguageLocale kLocales[] = {
    {"ENU", "en_US"}, {"ENG", "en_GB"}, {"DEU", "de_DE"}, {"FRA", "fr_FR"}, {"ESP", "es_ES"},
    {"ESN", "es_ES"}, {"PTB", "pt_BR"}, {"PTG", "pt_PT"}, {"CHS", "zh_CN"}, {"CHT", "zh_TW"},
    {"ITA", "it_IT"}, {"NLD", "nl_NL"}, {"PLK", "pl_PL"}, {"RUS", "ru_RU"}, {"JPN", "ja_JP"},
    {"KOR", "ko_KR"}, {"CSY", "cs_CZ"}, {"TRK", "tr_TR"},
};

}  // namespace

QString localeOfLanguageCode(std::string_view code) {
    const QString upper = QString::fromLatin1(code.data(), qsizetype(code.size())).toUpper();
    for (const auto& entry : kLocales) {
        if (upper == QLatin1String(entry.code)) {
            return QLatin1String(entry.locale);
        }
    }
    return {};
}

bool installQtTranslations(std::string_view languageCode) {
    const QString localeName = localeOfLanguageCode(languageCode);
    if (localeName.isEmpty()) {
        return false;
    }
    const QLocale locale(localeName);
    QLocale::setDefault(locale);
    // Qt's English texts are the sources; nothing to load.
    if (localeName.startsWith(QLatin1String("en"))) {
        return true;
    }
    // Beside the program first (a Windows installation ships them there), then Qt's own folder.
    const QString folders[] = {QCoreApplication::applicationDirPath() + "/translations",
                               QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
    for (const QString& folder : folders) {
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
            return true;
        }
        delete translator;
    }
    return false;
}

}  // namespace korvel
