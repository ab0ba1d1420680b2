#pragma once
// The text table: one caption per caption slot and one text per message key, loaded once from
// Language.ini in the language chosen in Settings.ini, with the built-in English texts where the
// language has none.

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/text_catalog.h"

namespace korvel {

class TextTable {
  public:
    // The built-in texts only, with the default gauge name.
    TextTable();

    // Loads the language chosen in settingsIni from languageIni. gaugeName replaces "%1" in
    // built-in strings and "%s" in the link-failure tip.
    void load(const std::string& languageIni, const std::string& settingsIni,
              const std::string& gaugeName);

    // The caption of a slot: the key as the window's screen lists it.
    std::string caption(Screen screen, std::string_view key) const;
    // The message text of the key, or its built-in string when the text is empty.
    std::string message(std::string_view key) const;
    // Built-in string by id, "%1" replaced by the gauge name (empty for an unknown id).
    std::string builtinString(int id) const;
    // The message for a gauge that cannot be found or opened.
    std::string linkFailureMessage() const;
    // The four instruction slots as formats with the gauge name 3, 2, 2 and 0 times, joined by
    // line breaks.
    std::string upgradeInstructions() const;

    const std::string& gaugeName() const { return gaugeName_; }
    const std::string& languageCode() const { return languageCode_; }
    // Codes and their display names in the order of the supported list.
    const std::vector<std::string>& languageCodes() const { return languageCodes_; }
    const std::vector<std::string>& languageNames() const { return languageNames_; }
    // Code to display name, in the map's own order (by code).
    const std::map<std::string, std::string>& languageMap() const { return languageMap_; }

    // Every caption slot in table order with its text.
    std::vector<std::pair<std::string, std::string>> allCaptions() const;
    // Every message key in table order with the text the program shows for it.
    std::vector<std::pair<std::string, std::string>> allMessages() const;
    // Keys (captions and messages, in table order) that the language section does not define or
    // gives only an empty or blank text: what a translator still has to do.
    std::vector<std::string> missingKeys() const;
    // Keys of the language section that are neither a caption slot nor a message key (a
    // misspelt key), in file order.
    std::vector<std::string> unknownKeys() const;

  private:
    std::string gaugeName_ = "KQ-77";
    std::string languageCode_ = "ENU";
    std::vector<std::string> languageCodes_;
    std::vector<std::string> languageNames_;
    std::map<std::string, std::string> languageMap_;
    std::vector<std::string> captions_;                         // by slot index
    std::map<std::string, std::string, std::less<>> messages_;  // loaded texts, may be empty
    std::vector<std::string> missing_;
    std::vector<std::string> unknown_;
};

}  // namespace korvel
