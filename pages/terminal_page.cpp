#include "pages/terminal_page.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>
#include <atomic>
#include <mutex>
#include <utility>

#include "app/text_encoding.h"
#include "app/text_format.h"
#include "app/ui/gauge_operation_runner.h"
#include "app/ui/qt_text.h"
#include "gauge/gauge_link.h"

namespace korvel {

namespace {
// The most text the response box takes in one turn of the event loop: a few milliseconds of
// work, so that the box repaints and Stop Read answers while a large reply arrives.
constexpr qsizetype kPieceChars = 8 * 1024;
// The most text the response box keeps of a reply: its last million characters. Older text
// leaves the box (at a line start where one is near), so a reply without end never fills the
// memory; what is received is still counted whole.
constexpr qsizetype kTailChars = 1024 * 1024;
// The box is cut back to kTailChars once it holds this much more.
constexpr qsizetype kTailSlack = kTailChars / 4;

// Where text from `from` on begins a line: just after the next line feed when one is near,
// else `from` itself.
qsizetype lineStartFrom(const QString& text, qsizetype from) {
    const qsizetype lineFeed = text.indexOf(QLatin1Char('\n'), from);
    return lineFeed >= 0 && lineFeed < from + kPieceChars ? lineFeed + 1 : from;
}
}  // namespace

// The voice of the page's link: the page's own, and while the command is written on the
// operation's worker, the worker's, so that a message box is still shown on the window's thread.
class CTerminalPage::LinkVoice : public UserVoice {
  public:
    explicit LinkVoice(UserVoice& page) : page_(page) {}

    void speakThrough(UserVoice* voice) { worker_.store(voice); }

    void show(MessageKind kind, const std::string& text) override { now().show(kind, text); }
    bool ask(const std::string& text) override { return now().ask(text); }
    void setStatus(const std::string& text) override { now().setStatus(text); }
    void setProgressRange(int low, int high) override { now().setProgressRange(low, high); }
    void setProgress(int position) override { now().setProgress(position); }
    void setWaitCursor(bool on) override { now().setWaitCursor(on); }
    bool cancelRequested() const override {
        UserVoice* worker = worker_.load();
        return worker ? worker->cancelRequested() : page_.cancelRequested();
    }

  private:
    UserVoice& now() {
        UserVoice* worker = worker_.load();
        return worker ? *worker : page_;
    }

    UserVoice& page_;
    std::atomic<UserVoice*> worker_{nullptr};
};

// Hands the reader's text to the window thread. The reader's packets pile up here; one posted
// call at a time wakes the page, which takes all that piled up at its next turn of the event
// loop, so however fast the packets come the window thread handles them in a few large pieces
// and repaints in between. Calls still waiting when the page goes are dropped with it, and
// those of a run the page has left behind are ignored.
class CTerminalPage::Sink : public TerminalReaderSink {
  public:
    explicit Sink(CTerminalPage* page) : page_(page) {}

    // A new run: nothing piled up. Set on the window thread while no reader runs.
    void setRun(int run) {
        std::lock_guard lock(mutex_);
        run_ = run;
        pending_.clear();
        handOverQueued_ = false;
    }

    void textReceived(std::string_view added) override {
        std::lock_guard lock(mutex_);
        pending_ += added;
        if (!handOverQueued_) {
            handOverQueued_ = true;
            post([page = page_] { page->showTimer_.start(); });
        }
    }
    void readerEnded(bool endMarkerSeen) override {
        std::lock_guard lock(mutex_);
        post([page = page_, endMarkerSeen] { page->readerEnded(endMarkerSeen); });
    }

    // The bytes piled up since the last hand-over; on the window thread.
    std::string take() {
        std::lock_guard lock(mutex_);
        handOverQueued_ = false;
        return std::exchange(pending_, {});
    }

  private:
    // Runs the action on the window thread, unless the page has moved on to another run.
    template <typename Action>
    void post(Action action) {
        page_->windowQueue_.post([page = page_, run = run_, action] {
            if (page->currentRun_ == run) {
                action();
            }
        });
    }

    CTerminalPage* page_;
    std::mutex mutex_;
    int run_ = 0;
    std::string pending_;
    bool handOverQueued_ = false;
};

CTerminalPage::CTerminalPage(const PageContext& context, QWidget* parent)
    : KorvelPage(context.app, Screen::Terminal, "IDD_DIALOG_TITLE_TERMINAL", parent),
      sink_(std::make_unique<Sink>(this)),
      linkVoice_(std::make_unique<LinkVoice>(voice())) {
    // A timer, not a posted call: it fires only once the window's pending events (paints among
    // them) have been handled.
    showTimer_.setSingleShot(true);
    showTimer_.setInterval(0);
    connect(&showTimer_, &QTimer::timeout, this, &CTerminalPage::showPiledUp);
}

CTerminalPage::~CTerminalPage() {
    // A write still on its way ends before the link goes.
    if (operationRunning()) {
        operation().waitUntilEnded();
    }
    session_.reset();
}

TerminalSession& CTerminalPage::session() {
    if (!session_) {
        session_ = std::make_unique<TerminalSession>(*linkVoice_, app().texts());
    }
    return *session_;
}

void CTerminalPage::initialise() {
    auto* layout = new QVBoxLayout(body());
    layout->addWidget(buildCommandRow());
    auto* responseLabel = new QLabel(caption("IDC_STATIC_RESPONSE"), body());
    layout->addWidget(responseLabel);
    response_ = new QPlainTextEdit(body());
    responseLabel->setBuddy(response_);
    response_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A reply is not undone piece by piece; without the undo record a large one costs less.
    response_->setUndoRedoEnabled(false);
    layout->addWidget(response_, 1);
    clear_ = new QPushButton(caption("IDC_BTN_CLEAR_RESPONSE"), body());
    layout->addWidget(clear_, 0, Qt::AlignLeft);
    layout->addWidget(buildCounts());
    connect(write_, &QPushButton::clicked, this, &CTerminalPage::WriteCommand);
    connect(start_, &QPushButton::clicked, this, &CTerminalPage::StartRead);
    connect(stop_, &QPushButton::clicked, this, &CTerminalPage::StopRead);
    connect(clear_, &QPushButton::clicked, this, &CTerminalPage::ClearResponse);
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
    installEventFilter(this);
    command_->setEnabled(true);
    // The reader keeps reading while the command goes out; Start and Stop wait for the write.
    operation().holdWhileRunning({command_, write_, start_, stop_});
}

QWidget* CTerminalPage::buildCommandRow() {
    auto* row = new QWidget(body());
    auto* layout = new QHBoxLayout(row);
    auto* label = new QLabel(caption("IDC_STATIC_COMMAND"), row);
    command_ = new QLineEdit(row);
    label->setBuddy(command_);
    write_ = new QPushButton(caption("IDC_BTN_WRITEEP2"), row);
    start_ = new QPushButton(caption("IDC_BTN_START_READ"), row);
    stop_ = new QPushButton(caption("IDC_BTN_STOP_READ"), row);
    for (QPushButton* button : {write_, start_, stop_}) {
        button->setAutoDefault(false);
    }
    layout->addWidget(label);
    layout->addWidget(command_, 1);
    layout->addWidget(write_);
    layout->addWidget(start_);
    layout->addWidget(stop_);
    return row;
}

QWidget* CTerminalPage::buildCounts() {
    auto* row = new QWidget(body());
    auto* grid = new QGridLayout(row);
    sent_ = new QLineEdit(row);
    received_ = new QLineEdit(row);
    for (QLineEdit* box : {sent_, received_}) {
        box->setReadOnly(true);
    }
    grid->addWidget(new QLabel(caption("IDC_STATIC_SENT"), row), 0, 0);
    grid->addWidget(sent_, 0, 1);
    grid->addWidget(new QLabel(caption("IDC_STATIC_BYTES"), row), 0, 2);
    grid->addWidget(new QLabel(caption("IDC_STATIC_RECEIVED"), row), 1, 0);
    grid->addWidget(received_, 1, 1);
    grid->addWidget(new QLabel(caption("IDC_STATIC_BYTES_RCV"), row), 1, 2);
    grid->setColumnStretch(3, 1);
    return row;
}

void CTerminalPage::activated() {
    if (holdsLink()) {
        session().stopRead();
    }
    command_->setText(QString::fromLatin1(kTerminalPresetCommand));
    setCounts(0, 0);
    write_->setEnabled(true);
    start_->setEnabled(true);
    stop_->setEnabled(false);
    enterPressed_ = false;
    write_->setFocus();
}

void CTerminalPage::left() {
    if (session_) {
        session_->leave();
    }
    // What the reader handed over before it stopped belongs to the page just left.
    ++currentRun_;
    clearCollected();
    command_->clear();
    enterPressed_ = false;
}

bool CTerminalPage::closeAllowed() {
    if (enterPressed_) {
        enterPressed_ = false;
        return false;
    }
    return true;
}

bool CTerminalPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // In the command box Enter writes the command, as the button does; elsewhere it
            // presses nothing.
            if (watched == command_) {
                if (write_->isEnabled()) {
                    WriteCommand();
                }
            } else {
                enterPressed_ = true;
            }
            return true;
        }
    }
    return KorvelPage::eventFilter(watched, event);
}

void CTerminalPage::setCounts(int sent, int received) {
    sent_->setText(QString::number(sent));
    received_->setText(QString::number(received));
}

void CTerminalPage::showReadingButtons(bool reading) {
    start_->setEnabled(!reading);
    stop_->setEnabled(reading);
}

// The write runs on the operation's worker: a gauge that does not take it holds the worker, not
// the window, until the write's time-out.
void CTerminalPage::WriteCommand() {
    ensureInitialised();
    setCounts(0, 0);
    auto result = std::make_shared<int>(0);
    operation().start(
        [&terminal = session(), &linkVoice = *linkVoice_, result,
         command = fromQt(command_->text())](UserVoice& worker) {
            linkVoice.speakThrough(&worker);
            *result = terminal.writeCommand(command);
            linkVoice.speakThrough(nullptr);
            return terminal.writeOutcome();
        },
        [this, result](Outcome) {
            write_->setEnabled(*result <= 0);
            sent_->setText(QString::number(*result));
            showReadingButtons(reading());
            if (std::exchange(stopAfterWrite_, false)) {
                StopRead();
            }
        });
}

void CTerminalPage::StartRead() {
    ensureInitialised();
    sink_->setRun(++currentRun_);
    if (!session().startRead(*sink_)) {
        return;
    }
    showReadingButtons(true);
    clearCollected();
    received_->setText(QStringLiteral("0"));
    stop_->setFocus();
}

void CTerminalPage::StopRead() {
    ensureInitialised();
    session().stopRead();
    showReadingButtons(false);
    write_->setEnabled(true);
}

void CTerminalPage::ClearResponse() {
    ensureInitialised();
    // What was received since Start Read comes back with the next packet.
    response_->clear();
    boxCleared_ = true;
    setCounts(0, 0);
}

void CTerminalPage::clearCollected() {
    showTimer_.stop();
    response_->clear();
    decoder_.reset();
    receivedBytes_ = 0;
    collected_.clear();
    shown_ = 0;
    toShow_ = 0;
    boxCleared_ = false;
}

void CTerminalPage::showPiledUp() {
    const std::string added = sink_->take();
    if (added.empty()) {
        showPiece();
    } else {
        showReceived(added);
    }
}

void CTerminalPage::showReceived(std::string_view bytes) {
    receivedBytes_ += static_cast<qint64>(bytes.size());
    received_->setText(QString::number(receivedBytes_));
    // A byte gives at most one character: of a large hand-over only its end can stay in the
    // box, decoded from a line start (a line feed is never inside a character).
    const std::size_t kept = 4 * static_cast<std::size_t>(kTailChars);
    if (bytes.size() > kept) {
        const auto lineFeed = bytes.find('\n', bytes.size() - kept);
        bytes.remove_prefix(lineFeed == std::string_view::npos ? bytes.size() - kept
                                                               : lineFeed + 1);
        decoder_.reset();
        collected_.clear();
        response_->clear();
        shown_ = 0;
        toShow_ = 0;
    }
    collected_ += QString::fromStdString(decoder_.decode(bytes));
    keepTail();
    // A CR at the end waits for what follows it: CR LF split between two hand-overs is one
    // line end.
    showCollected(collected_.endsWith(QLatin1Char('\r')) ? collected_.size() - 1
                                                         : collected_.size());
}

void CTerminalPage::showCollected(qsizetype upTo) {
    if (boxCleared_) {
        boxCleared_ = false;
        response_->clear();
        shown_ = 0;
    }
    toShow_ = upTo;
    // Text that would leave the box again at once is not shown at all.
    if (toShow_ - shown_ > kTailChars) {
        response_->clear();
        shown_ = lineStartFrom(collected_, toShow_ - kTailChars);
    }
    showPiece();
}

void CTerminalPage::keepTail() {
    if (collected_.size() <= kTailChars + kTailSlack) {
        return;
    }
    const qsizetype dropped = lineStartFrom(collected_, collected_.size() - kTailChars);
    collected_.remove(0, dropped);
    if (shown_ < dropped) {
        response_->clear();  // nothing the box holds is still collected
    }
    shown_ = std::max<qsizetype>(0, shown_ - dropped);
    toShow_ = std::max<qsizetype>(0, toShow_ - dropped);
}

void CTerminalPage::trimBox() {
    QTextDocument* document = response_->document();
    const qsizetype excess = document->characterCount() - kTailChars;
    if (excess <= kTailSlack) {
        return;
    }
    qsizetype cut = excess;
    const QTextBlock next = document->findBlock(static_cast<int>(excess)).next();
    if (next.isValid() && next.position() - excess < kPieceChars) {
        cut = next.position();
    }
    QTextCursor start(document);
    start.setPosition(static_cast<int>(cut), QTextCursor::KeepAnchor);
    start.removeSelectedText();
}

void CTerminalPage::showPiece() {
    if (boxCleared_) {
        return;
    }
    qsizetype upTo = std::min(toShow_, shown_ + kPieceChars);
    if (upTo < toShow_ && collected_.at(upTo - 1) == QLatin1Char('\r')) {
        ++upTo;  // CR LF stays one line end
    }
    if (upTo > shown_) {
        QTextCursor end(response_->document());
        end.movePosition(QTextCursor::End);
        end.insertText(collected_.mid(shown_, upTo - shown_));
        shown_ = upTo;
        trimBox();
    }
    if (shown_ < toShow_) {
        showTimer_.start();
    }
}

void CTerminalPage::readerEnded(bool endMarkerSeen) {
    showReceived(sink_->take());
    collected_ += QString::fromStdString(decoder_.finish(endMarkerSeen));
    showCollected(collected_.size());
    if (session().lastEnd() == ReaderEnd::TooLong) {
        StopRead();
        voice().show(MessageKind::Error,
                     formatWithArguments(app().texts().message("IDS_ERR_TERMINAL_REPLYCUT"),
                                         {std::to_string(kMaxReplyBytes / (1024 * 1024)),
                                          std::to_string(kTailChars)}));
        return;
    }
    if (!endMarkerSeen) {
        return;
    }
    // The link is released once the command being written has gone out.
    if (operationRunning()) {
        stopAfterWrite_ = true;
    } else {
        StopRead();
    }
}

}  // namespace korvel
