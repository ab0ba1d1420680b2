#pragma once
// The eight pages of the option sheet, built together for every run of the sheet.

#include "app/ui/sheet_pages.h"
#include "pages/page_context.h"

namespace korvel {

PageSet createPageSet(const PageContext& context);

}  // namespace korvel
