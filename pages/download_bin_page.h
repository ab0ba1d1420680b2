#pragma once
// The Software Upgrade page: instructions for starting the gauge in its upgrade mode, the
// choice of a firmware image, and the upgrade sequence with its progress and status.

#include <QString>
#include <functional>

#include "app/ui/korvel_page.h"
#include "pages/page_context.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace korvel {

class CDownloadBinPage : public KorvelPage {
    Q_OBJECT
  public:
    // Asks for the image: (title, start folder, filter) -> the chosen path, empty on cancel.
    using FileChooser = std::function<QString(const QString&, const QString&, const QString&)>;

    explicit CDownloadBinPage(const PageContext& context, QWidget* parent = nullptr);

    void activated() override;

    // Button handlers.
    void selectFile();
    void startDownload();

    // The tests answer the file dialog themselves.
    void setFileChooser(FileChooser chooser) { chooseFile_ = std::move(chooser); }
    // The folder the file dialog starts in: "data" in the current directory, when it exists.
    static QString startFolder();

    QLineEdit* fileBox() const { return fileBox_; }
    QLabel* instructions() const { return instructions_; }
    QComboBox* modelList() const { return modelList_; }
    QLabel* modelLabel() const { return modelLabel_; }
    QPushButton* selectButton() const { return select_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* cancelButton() const { return cancel_; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* statusLine() const { return status_; }

  protected:
    void initialise() override;

  private:
    QWidget* buildFileRow();
    QWidget* buildStartRow();
    QWidget* buildProgressAndStatus();
    void fillModelList();

    FileChooser chooseFile_;
    QString chosenPath_;
    QPushButton* select_ = nullptr;
    QLabel* modelLabel_ = nullptr;
    QComboBox* modelList_ = nullptr;
    QLineEdit* fileBox_ = nullptr;
    QLabel* instructions_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* noCancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace korvel
