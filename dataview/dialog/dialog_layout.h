#pragma once
// Places controls given in dialog units (a quarter of the font's average character width
// across, an eighth of its height down). When the window is larger than its design size, each
// control takes its share of the extra width and height, so that the tables and the chart grow.

#include <QSize>
#include <vector>

class QFontMetrics;
class QWidget;

namespace korvel {

class DialogUnits {
  public:
    explicit DialogUnits(const QFontMetrics& metrics);
    int x(int units) const { return units * baseX_ / 4; }
    int y(int units) const { return units * baseY_ / 8; }
    QSize size(int width, int height) const { return {x(width), y(height)}; }

  private:
    int baseX_;
    int baseY_;
};

struct UnitRect {
    int x, y, width, height;
};

// Shares (0 to 1) of the extra width that moves the control and widens it, and of the extra
// height that moves it down and makes it taller.
struct Growth {
    double x = 0, width = 0, y = 0, height = 0;
};

struct ControlPlace {
    QWidget* widget;
    UnitRect rect;
    Growth growth;
    // A caption of another language may need more room than the design gives: the control
    // then widens to the right to show all of it.
    bool fitsCaption = false;
};

void placeControls(const std::vector<ControlPlace>& places, const DialogUnits& units,
                   const QSize& designSize, const QSize& actualSize);

}  // namespace korvel
