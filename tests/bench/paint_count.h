#pragma once
// Counts the paints a widget receives (install it as the widget's event filter): a paint that
// has begun has ended when the window's events run by processEvents() return.

#include <QEvent>
#include <QObject>

namespace korvel::test {

class PaintCount : public QObject {
  public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

}  // namespace korvel::test
