#pragma once
// The fixed catalogue of texts: every caption slot of every window and every message key,
// each with its built-in English text.

#include <string>
#include <vector>

namespace korvel {

// The windows whose captions come from the text table.
enum class Screen {
    FileTransfer,
    SoftwareUpgrade,
    Terminal,
    DataView,
    DirectoryChooser,
    Preferences,
    FileMerge,
    FileCreate,
    UserVelocity,
    InspectionHistory,
};

struct CaptionSlot {
    Screen screen;
    const char* key;
    const char* defaultText;
};

struct MessageEntry {
    const char* key;
    int builtinId;  // 0: no built-in string of its own
    const char* builtinText;
};

// Caption slots in table order; a key may stand in several slots with different defaults.
const std::vector<CaptionSlot>& captionSlots();
// Message keys in table order.
const std::vector<MessageEntry>& messageEntries();

// Built-in string 101, the About item.
extern const char* const kAboutMenuText;
// Built-in string 108, the English upgrade instructions.
extern const char* const kUpgradeInstructions;

}  // namespace korvel
