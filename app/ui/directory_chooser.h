#pragma once
// The modal dialog in which the user picks the PC folder of the data files. It opens at the
// process's current directory; OK hands back the selected folder.

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;

namespace korvel {

class DirectoryTree;
class PalimarApp;

class CDirectoryChooser : public QDialog {
    Q_OBJECT
  public:
    // roots: the folders listed at the top; empty for the file-system roots.
    explicit CDirectoryChooser(const PalimarApp& app, QWidget* parent = nullptr,
                               const QStringList& roots = {});

    // The folder chosen with OK; empty after Cancel or when nothing was selected.
    QString resultPath() const { return resultPath_; }

    DirectoryTree* tree() const { return tree_; }
    QLineEdit* pathBox() const { return pathBox_; }
    QPushButton* okButton() const { return okButton_; }
    QPushButton* cancelButton() const { return cancelButton_; }

    void accept() override;

  private:
    void showSelection();

    DirectoryTree* tree_ = nullptr;
    QLineEdit* pathBox_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QString selectedPath_;
    QString resultPath_;
};

}  // namespace korvel
