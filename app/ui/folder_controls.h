#pragma once
// The PC folder controls the transfer and merge pages share: "Select Directory" (the directory
// chooser), "Refresh Directory", and the folder box that refreshes when it loses the focus with
// a changed text.

#include <QLineEdit>
#include <QObject>
#include <QString>

class QPushButton;

namespace korvel {

class PalimarApp;

// A line edit that reports losing the keyboard focus.
class FolderBox : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;

  signals:
    void focusLost();

  protected:
    void focusOutEvent(QFocusEvent* event) override;
};

class FolderControls : public QObject {
    Q_OBJECT
  public:
    FolderControls(const PalimarApp& app, QPushButton* select, QPushButton* refresh, FolderBox* box,
                   QObject* parent);

    const QString& folder() const { return folder_; }
    // Puts the folder in the box and makes it the page's folder (no refresh).
    void setFolder(const QString& folder);

    // The directory chooser's top-level folders; empty for the file-system roots (tests).
    void setChooserRoots(const QStringList& roots) { chooserRoots_ = roots; }

    // Runs the directory chooser; OK takes its folder and refreshes.
    void chooseFolder();
    // The folder box's text becomes the folder; refreshes.
    void takeBoxText();
    // Focus left the box: takes its text only when it differs from the folder.
    void takeChangedBoxText();

  signals:
    // The folder's list must be filled again.
    void refreshRequested();
    // The chooser was cancelled; the folder did not change.
    void chooserCancelled();

  private:
    const PalimarApp& app_;
    FolderBox* box_;
    QString folder_;
    QStringList chooserRoots_;
};

}  // namespace korvel
