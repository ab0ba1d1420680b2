#include "app/ui/preferences_page.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include "app/save_message.h"
#include "app/ui/qt_text.h"

namespace korvel {

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return toQt(a).compare(toQt(b), Qt::CaseInsensitive) == 0;
}

}  // namespace

int initialLanguageIndex(const TextTable& texts) {
    const auto& names = texts.languageNames();
    if (names.empty()) {
        return -1;
    }
    const auto& map = texts.languageMap();
    const auto current = map.find(texts.languageCode());
    if (current == map.end()) {
        return 0;
    }
    for (int i = static_cast<int>(names.size()) - 1; i >= 0; --i) {
        if (sameIgnoringCase(names[static_cast<std::size_t>(i)], current->second)) {
            return i;
        }
    }
    return 0;
}

std::string languageCodeOf(const TextTable& texts, const std::string& name) {
    for (const auto& [code, displayName] : texts.languageMap()) {
        if (sameIgnoringCase(displayName, name)) {
            return code;
        }
    }
    return "ENU";
}

CPreferencesPage::CPreferencesPage(const PalimarApp& app, QWidget* parent)
    : KorvelPage(app, Screen::Preferences, "IDD_DIALOG_TITLE_PREFERENCES", parent) {}

void CPreferencesPage::initialise() {
    auto* layout = new QGridLayout(body());
    languageLabel_ = new QLabel(caption("IDC_STATIC_LANGUAGE"), body());
    languageList_ = new QComboBox(body());
    languageList_->setObjectName("languageList");
    // A drop-down list: only the listed languages can be chosen, typing picks one of them.
    languageList_->setEditable(false);
    languageList_->setMinimumWidth(220);
    languageLabel_->setBuddy(languageList_);
    layout->addWidget(languageLabel_, 0, 0);
    layout->addWidget(languageList_, 0, 1);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(1, 1);

    for (const std::string& name : app().texts().languageNames()) {
        languageList_->addItem(toQt(name));
    }
    languageList_->setCurrentIndex(initialLanguageIndex(app().texts()));
    connect(languageList_, &QComboBox::activated, this, &CPreferencesPage::chooseLanguage);
}

void CPreferencesPage::chooseLanguage(int index) {
    if (index < 0) {
        return;
    }
    const std::string name = fromQt(languageList_->itemText(index));
    if (!app().writeLanguage(languageCodeOf(app().texts(), name))) {
        reportSaveFailure(voice(), app().texts(), app().settingsFile());
        return;
    }
    voice().show(MessageKind::Notice, app().texts().message("IDS_MSG_LANGCHANGE_EFFECT"));
}

}  // namespace korvel
