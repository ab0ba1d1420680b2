#pragma once
// The core's voice on the screen: message boxes of the four kinds, the page's progress bar and
// status line, and the wait cursor. It lives on the window's thread; gauge operations reach it
// through the operation runner's forwarding voice.

#include <QPointer>
#include <QString>

#include "app/user_voice.h"

class QLabel;
class QProgressBar;
class QWidget;

namespace korvel {

class QtVoice : public UserVoice {
  public:
    // Message boxes are owned by `owner` and carry `title`. The progress bar and the status
    // line may be null for a page that has neither.
    QtVoice(QWidget* owner, QString title, QProgressBar* progress = nullptr,
            QLabel* status = nullptr);
    ~QtVoice() override;

    void show(MessageKind kind, const std::string& text) override;
    bool ask(const std::string& text) override;
    BatchAnswer askInBatch(const BatchQuestion& question) override;
    void setStatus(const std::string& text) override;
    void setProgressRange(int low, int high) override;
    void setProgress(int position) override;
    void setWaitCursor(bool on) override;
    void repaint() override;

  private:
    // A message box must show the arrow, not the wait cursor of the operation that asks.
    int runBox(MessageKind kind, const std::string& text, const BatchQuestion* batch = nullptr);

    QPointer<QWidget> owner_;
    QString title_;
    QPointer<QProgressBar> progress_;
    QPointer<QLabel> status_;
    int waitDepth_ = 0;
};

}  // namespace korvel
