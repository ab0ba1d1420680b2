#include "app/ui/folder_controls.h"

#include <QPushButton>

#include "app/ui/directory_chooser.h"

namespace korvel {

void FolderBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    emit focusLost();
}

FolderControls::FolderControls(const PalimarApp& app, QPushButton* select, QPushButton* refresh,
                               FolderBox* box, QObject* parent)
    : QObject(parent), app_(app), box_(box) {
    connect(select, &QPushButton::clicked, this, &FolderControls::chooseFolder);
    connect(refresh, &QPushButton::clicked, this, &FolderControls::takeBoxText);
    connect(box, &FolderBox::focusLost, this, &FolderControls::takeChangedBoxText);
}

void FolderControls::setFolder(const QString& folder) {
    folder_ = folder;
    box_->setText(folder);
}

void FolderControls::chooseFolder() {
    CDirectoryChooser chooser(app_, box_->window(), chooserRoots_);
    if (chooser.exec() == QDialog::Accepted) {
        setFolder(chooser.resultPath());
        emit refreshRequested();
    } else {
        emit chooserCancelled();
    }
}

void FolderControls::takeBoxText() {
    folder_ = box_->text();
    emit refreshRequested();
}

void FolderControls::takeChangedBoxText() {
    if (box_->text() != folder_) {
        takeBoxText();
    }
}

}  // namespace korvel
