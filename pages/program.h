#pragma once
// What korvel and korvel-demo share after their start-up: the program's icon, the main
// window over the eight pages, and the event loop that ends when the sheet is closed.

#include <functional>

namespace korvel {

class COptionSheet;
class PalimarApp;
struct PageContext;

// Runs the main window; onSheet is called with the sheet before it runs.
int runProgram(const PageContext& context, const std::function<void(COptionSheet*)>& onSheet = {});

}  // namespace korvel
