#pragma once
// The seven pages of the option sheet in their order, and which of them a configuration adds.

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
    UserVelocity,
};

constexpr std::size_t kSheetPageCount = 7;

// Every page object, in sheet order; all seven exist for every run of the sheet.
using PageSet = std::array<KorvelPage*, kSheetPageCount>;
using PageFactory = std::function<PageSet()>;

// Whether the configuration's flags add the page to the sheet.
bool pageEnabled(SheetPage page, const PalimarApp& app);

}  // namespace korvel
