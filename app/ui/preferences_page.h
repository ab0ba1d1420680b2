#pragma once
// The Preferences page: the language list. A choice is written to the settings at once and
// takes effect at the next start.

#include "app/ui/korvel_page.h"

class QComboBox;
class QLabel;

namespace korvel {

class CPreferencesPage : public KorvelPage {
    Q_OBJECT
  public:
    explicit CPreferencesPage(const PalimarApp& app, QWidget* parent = nullptr);

    QComboBox* languageList() const { return languageList_; }

  protected:
    void initialise() override;

  private:
    void chooseLanguage(int index);

    QLabel* languageLabel_ = nullptr;
    QComboBox* languageList_ = nullptr;
};

// The entry to select at start: the last one whose name is the current code's name, without
// regard to case; else the first (-1 for an empty list).
int initialLanguageIndex(const TextTable& texts);
// The code of a chosen display name: the first code of the map whose name matches it without
// regard to case, or "ENU".
std::string languageCodeOf(const TextTable& texts, const std::string& name);

}  // namespace korvel
