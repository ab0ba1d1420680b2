#include "app/ui/about_box.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/ui/app_icon.h"

namespace korvel {

AboutBox::AboutBox(const PalimarApp&, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About PalimarApp"));
    auto* row = new QHBoxLayout(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(applicationIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    row->addWidget(icon);
    auto* text = new QLabel(QStringLiteral("File Transfer Application - Version 3.7.1"), this);
    text->setObjectName("aboutText");
    text->setAlignment(Qt::AlignTop);
    row->addWidget(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Vertical, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    row->addWidget(buttons);
}

}  // namespace korvel
