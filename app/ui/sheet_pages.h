#pragma once
// The eight pages of the option sheet in their order, and which of them a configuration adds.

#include <array>
#include <cstddef>
#include <functional>
#include <string>

namespace korvel {

class KorvelPage;
class PalimarApp;

enum class SheetPage {
    FileTransfer,
    SoftwareUpgrade,
    Terminal,
    Preferences,
    FileMerge,
    FileCreate,
    InspectionHistory,
    UserVelocity,
};

constexpr std::size_t kSheetPageCount = 8;

// Every page object, in sheet order; all eight exist for every run of the sheet.
using PageSet = std::array<KorvelPage*, kSheetPageCount>;
using PageFactory = std::function<PageSet()>;

// Whether the configuration's flags add the page to the sheet.
bool pageEnabled(SheetPage page, const PalimarApp& app);

}  // namespace korvel
