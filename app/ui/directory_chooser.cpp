#include "app/ui/directory_chooser.h"

#include <QDir>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>

#include "app/palimar_app.h"
#include "app/ui/directory_tree.h"
#include "app/ui/qt_text.h"

namespace korvel {

CDirectoryChooser::CDirectoryChooser(const PalimarApp& app, QWidget* parent,
                                     const QStringList& roots)
    : QDialog(parent) {
    const TextTable& texts = app.texts();
    setWindowTitle(toQt(texts.caption(Screen::DirectoryChooser, "IDD_DIALOG_TITLE_DIR")));
    tree_ = new DirectoryTree(this);
    tree_->setObjectName("folderTree");
    tree_->setMinimumSize(300, 260);
    pathBox_ = new QLineEdit(this);
    pathBox_->setObjectName("pathBox");
    pathBox_->setReadOnly(true);
    okButton_ = new QPushButton(toQt(texts.caption(Screen::DirectoryChooser, "IDOK")), this);
    okButton_->setDefault(true);
    cancelButton_ =
        new QPushButton(toQt(texts.caption(Screen::DirectoryChooser, "IDCANCEL")), this);

    auto* layout = new QGridLayout(this);
    layout->addWidget(tree_, 0, 0, 3, 1);
    layout->addWidget(okButton_, 0, 1);
    layout->addWidget(cancelButton_, 1, 1);
    layout->addWidget(pathBox_, 3, 0, 1, 2);
    layout->setRowStretch(2, 1);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(tree_, &QTreeWidget::currentItemChanged, this, &CDirectoryChooser::showSelection);

    if (!roots.isEmpty()) {
        tree_->setRoots(roots);
    }
    tree_->listRoots();
    tree_->selectPath(QDir::currentPath());
}

void CDirectoryChooser::showSelection() {
    selectedPath_ = tree_->pathOf(tree_->currentItem());
    pathBox_->setText(selectedPath_);
}

void CDirectoryChooser::accept() {
    resultPath_ = selectedPath_;
    QDialog::accept();
}

}  // namespace korvel
