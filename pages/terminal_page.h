#pragma once
// The Terminal page: any command typed by the user is written to the gauge as it stands (by the
// button or Enter in the command box, on the operation's worker), and the raw reply is watched
// as the reader thread receives it: its bytes counted, decoded the same way however they were
// cut into packets, the end marker not shown. The box keeps the reply's last million
// characters; a reply cut at the reply bound ends the read with a message.

#include <QString>
#include <QTimer>
#include <memory>

#include "app/text_encoding.h"
#include "app/ui/korvel_page.h"
#include "app/ui/window_thread_queue.h"
#include "gauge/terminal_session.h"
#include "pages/page_context.h"

class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace korvel {

class CTerminalPage : public KorvelPage {
    Q_OBJECT
  public:
    explicit CTerminalPage(const PageContext& context, QWidget* parent = nullptr);
    // Stops the reader and closes the link before the controls go.
    ~CTerminalPage() override;

    void activated() override;
    void left() override;
    // Refused once after the Enter key was pressed on the page.
    bool closeAllowed() override;

    // Button handlers.
    void WriteCommand();
    void StartRead();
    void StopRead();
    void ClearResponse();

    // What the reader hands over, on the window thread: the bytes received since the last
    // hand-over, and the reader's end.
    void showReceived(std::string_view bytes);
    void readerEnded(bool endMarkerSeen);

    bool holdsLink() const { return session_ && session_->opened(); }
    bool reading() const { return session_ && session_->reading(); }
    QLineEdit* commandBox() const { return command_; }
    QPlainTextEdit* responseBox() const { return response_; }
    QLineEdit* sentBox() const { return sent_; }
    QLineEdit* receivedBox() const { return received_; }
    QPushButton* writeButton() const { return write_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* stopButton() const { return stop_; }

  protected:
    void initialise() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    class Sink;
    class LinkVoice;

    QWidget* buildCommandRow();
    QWidget* buildCounts();
    TerminalSession& session();
    void setCounts(int sent, int received);
    void showReadingButtons(bool reading);
    // Brings the response box up to the first upTo characters of the collected text, a piece
    // at each turn of the event loop.
    void showCollected(qsizetype upTo);
    void showPiece();
    // Drops collected text older than the box keeps.
    void keepTail();
    // Cuts the box back to the tail it keeps once it holds more.
    void trimBox();
    // Takes what the reader piled up, or shows the next piece of what was taken.
    void showPiledUp();
    // A new run or a page left: nothing received, nothing shown.
    void clearCollected();

    WindowThreadQueue windowQueue_;  // the reader's hand-overs; goes with the page
    std::unique_ptr<Sink> sink_;
    std::unique_ptr<LinkVoice> linkVoice_;
    std::unique_ptr<TerminalSession> session_;
    bool enterPressed_ = false;
    int currentRun_ = 0;  // the reader run whose hand-overs the page shows
    StreamTextDecoder decoder_;
    qint64 receivedBytes_ = 0;     // since Start Read
    bool stopAfterWrite_ = false;  // the end marker came while the command was written
    QString collected_;            // the characters received since Start Read, its tail kept
    qsizetype shown_ = 0;          // how much of it the response box holds
    qsizetype toShow_ = 0;         // how much of it the response box is to hold
    QTimer showTimer_;             // the next piece, once the window's pending events are handled
    bool boxCleared_ = false;      // Clear Response Buffer emptied the box during the run
    QLineEdit* command_ = nullptr;
    QPushButton* write_ = nullptr;
    QPushButton* start_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPlainTextEdit* response_ = nullptr;
    QPushButton* clear_ = nullptr;
    QLineEdit* sent_ = nullptr;
    QLineEdit* received_ = nullptr;
};

}  // namespace korvel
