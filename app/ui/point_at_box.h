#pragma once
// After a message about what a box holds, the box takes the keyboard focus with its text
// selected, so that the person can type the mended value at once.

class QWidget;

namespace korvel {

// A text box or an editable list box; any other control only takes the focus.
void pointAtBox(QWidget* box);

}  // namespace korvel
