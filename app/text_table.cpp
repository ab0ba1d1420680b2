#include "app/text_table.h"

#include <cctype>

#include "app/profile_file.h"
#include "app/text_encoding.h"
#include "app/text_format.h"

namespace korvel {

namespace {

constexpr std::size_t kLanguageCodeLimit = 49;
constexpr std::size_t kSupportedLimit = 254;
constexpr std::size_t kCaptionLimit = 254;
constexpr std::size_t kMessageLimit = 511;
constexpr std::size_t kLanguageNameLimit = 254;

const char* const kInstructionKeys[4] = {
    "IDC_STATIC_USER_INSTRUCTIONS_PART1", "IDC_STATIC_USER_INSTRUCTIONS_PART2",
    "IDC_STATIC_USER_INSTRUCTIONS_PART3", "IDC_STATIC_USER_INSTRUCTIONS_PART4"};
const int kInstructionArguments[4] = {3, 2, 2, 0};

bool translated(const ProfileFile& language, const std::string& section, const char* key) {
    return language.hasKey(section, key) &&
           language.getString(section, key, "", kMessageLimit).find_first_not_of(" \t") !=
               std::string::npos;
}

// A text of the language file as UTF-8, cut to its limit in characters.
std::string languageText(const ProfileFile& file, std::string_view section, std::string_view key,
                         std::string_view fallback, std::size_t limit) {
    return firstCharacters(textAsUtf8(file.getString(section, key, fallback, std::string::npos)),
                           limit);
}

// Keys match without regard to case, as the profile-file rules read them; the catalogue's keys
// are upper case.
bool isKnownKey(std::string key) {
    for (char& c : key) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    for (const auto& slot : captionSlots()) {
        if (key == slot.key) {
            return true;
        }
    }
    for (const auto& entry : messageEntries()) {
        if (key == entry.key) {
            return true;
        }
    }
    return false;
}

}  // namespace

TextTable::TextTable() {
    for (const auto& slot : captionSlots()) {
        captions_.emplace_back(slot.defaultText);
    }
    for (const auto& entry : messageEntries()) {
        messages_[entry.key] = "";
    }
}

void TextTable::load(const std::string& languageIni, const std::string& settingsIni,
                     const std::string& gaugeName) {
    gaugeName_ = gaugeName;
    const ProfileFile settings = ProfileFile::load(settingsIni);
    const ProfileFile language = ProfileFile::load(languageIni);
    languageCode_ = settings.getString("Language", "Default", "ENU", kLanguageCodeLimit);

    const std::string supported = language.getString("Language", "Supported", "", kSupportedLimit);
    languageCodes_.clear();
    languageNames_.clear();
    languageMap_.clear();
    std::size_t pos = 0;
    while (pos < supported.size()) {
        const auto comma = supported.find(',', pos);
        if (comma == std::string::npos) {
            break;
        }
        const std::string token = supported.substr(pos, comma - pos);
        if (!token.empty()) {
            const std::string name =
                languageText(language, "Language Definition", token, "UNKNOWN", kLanguageNameLimit);
            languageCodes_.push_back(token);
            languageNames_.push_back(name);
            languageMap_[token] = name;
        }
        pos = comma + 1;
    }

    missing_.clear();
    captions_.clear();
    for (const auto& slot : captionSlots()) {
        captions_.push_back(expandLineBreaks(
            languageText(language, languageCode_, slot.key, slot.defaultText, kCaptionLimit)));
        if (!translated(language, languageCode_, slot.key)) {
            missing_.emplace_back(slot.key);
        }
    }
    for (const auto& entry : messageEntries()) {
        messages_[entry.key] =
            expandLineBreaks(languageText(language, languageCode_, entry.key, "", kMessageLimit));
        if (!translated(language, languageCode_, entry.key)) {
            missing_.emplace_back(entry.key);
        }
    }
    unknown_.clear();
    for (const auto& key : language.keys(languageCode_)) {
        if (!isKnownKey(key)) {
            unknown_.push_back(key);
        }
    }
}

std::string TextTable::caption(Screen screen, std::string_view key) const {
    const auto& slots = captionSlots();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        if (slots[i].screen == screen && key == slots[i].key) {
            return captions_[i];
        }
    }
    return std::string(key);
}

std::string TextTable::builtinString(int id) const {
    if (id == 101) {
        return kAboutMenuText;
    }
    if (id == 108) {
        return replacePlaceholder(kUpgradeInstructions, gaugeName_);
    }
    for (const auto& entry : messageEntries()) {
        if (entry.builtinId == id && id != 0) {
            return replacePlaceholder(entry.builtinText, gaugeName_);
        }
    }
    return {};
}

std::string TextTable::message(std::string_view key) const {
    const auto loaded = messages_.find(key);
    if (loaded != messages_.end() && !loaded->second.empty()) {
        return loaded->second;
    }
    for (const auto& entry : messageEntries()) {
        if (key == entry.key) {
            return builtinString(entry.builtinId);
        }
    }
    return {};
}

std::string TextTable::linkFailureMessage() const {
    const auto open = messages_.find("IDS_ERR_USBOPEN");
    if (open == messages_.end() || open->second.empty()) {
        return builtinString(102);
    }
    const auto tip = messages_.find("IDS_ERR_USBOPEN_TIP");
    const std::string tipText = tip == messages_.end() ? "" : tip->second;
    return open->second + "\n\n" + formatWithArgument(tipText, gaugeName_, 1);
}

std::string TextTable::upgradeInstructions() const {
    std::string joined;
    for (int part = 0; part < 4; ++part) {
        if (part > 0) {
            joined += '\n';
        }
        joined += formatWithArgument(caption(Screen::SoftwareUpgrade, kInstructionKeys[part]),
                                     gaugeName_, kInstructionArguments[part]);
    }
    return joined;
}

std::vector<std::pair<std::string, std::string>> TextTable::allCaptions() const {
    std::vector<std::pair<std::string, std::string>> result;
    const auto& slots = captionSlots();
    for (std::size_t i = 0; i < slots.size(); ++i) {
        result.emplace_back(slots[i].key, captions_[i]);
    }
    return result;
}

std::vector<std::pair<std::string, std::string>> TextTable::allMessages() const {
    std::vector<std::pair<std::string, std::string>> result;
    for (const auto& entry : messageEntries()) {
        result.emplace_back(entry.key, message(entry.key));
    }
    return result;
}

std::vector<std::string> TextTable::missingKeys() const {
    return missing_;
}

std::vector<std::string> TextTable::unknownKeys() const {
    return unknown_;
}

}  // namespace korvel
