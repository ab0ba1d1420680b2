#pragma once
// The product logo that every page shows at its lower right.

#include <QLabel>
#include <string>

namespace korvel {

class PageLogo : public QLabel {
    Q_OBJECT
  public:
    explicit PageLogo(QWidget* parent = nullptr);
    // Loads the bitmap at its own size; an empty path or a file that cannot be read leaves
    // the logo empty. Returns whether a picture is shown.
    bool load(const std::string& path);
};

}  // namespace korvel
