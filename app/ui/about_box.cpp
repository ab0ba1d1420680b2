#include "app/ui/about_box.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/palimar_app.h"
#include "app/ui/app_icon.h"
#include "app/ui/qt_text.h"

namespace korvel {

AboutBox::AboutBox(const PalimarApp& app, QWidget* parent) : QDialog(parent) {
    setWindowTitle(toQt(app.texts().message("IDS_ABOUT_TITLE")));
    auto* row = new QHBoxLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(applicationIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    row->addWidget(icon);
    auto* text = new QLabel(toQt(app.texts().message("IDS_ABOUT_TEXT")), this);
    text->setObjectName("aboutText");
    text->setAlignment(Qt::AlignTop);
    row->addWidget(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    row->addWidget(buttons);
}

}  // namespace korvel
