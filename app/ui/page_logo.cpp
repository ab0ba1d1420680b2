#include "app/ui/page_logo.h"

#include <QPixmap>

#include "app/ui/qt_text.h"

namespace korvel {

PageLogo::PageLogo(QWidget* parent) : QLabel(parent) {
    setObjectName("logo");
    setAlignment(Qt::AlignRight | Qt::AlignBottom);
}

bool PageLogo::load(const std::string& path) {
    clear();
    if (path.empty()) {
        return false;
    }
    const QPixmap picture(QString::fromLocal8Bit(path.c_str()));
    if (picture.isNull()) {
        return false;
    }
    setPixmap(picture);
    setFixedSize(picture.size());
    return true;
}

}  // namespace korvel
