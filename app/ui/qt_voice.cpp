#include "app/ui/qt_voice.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>

#include "app/ui/qt_text.h"

namespace korvel {

namespace {

QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Error:
            return QMessageBox::Critical;
        case MessageKind::Warning:
            return QMessageBox::Warning;
        case MessageKind::Question:
            return QMessageBox::Question;
        case MessageKind::Notice:
            return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

QtVoice::QtVoice(QWidget* owner, QString title, QProgressBar* progress, QLabel* status)
    : owner_(owner), title_(std::move(title)), progress_(progress), status_(status) {}

QtVoice::~QtVoice() {
    while (waitDepth_ > 0) {
        setWaitCursor(false);
    }
}

int QtVoice::runBox(MessageKind kind, const std::string& text, const BatchQuestion* batch) {
    const bool question = kind == MessageKind::Question;
    QMessageBox::StandardButtons buttons =
        question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
    if (batch) {
        buttons |= QMessageBox::YesToAll | QMessageBox::NoToAll;
    }
    QMessageBox box(iconOf(kind), title_, toQt(text), buttons, owner_);
    if (batch) {
        box.button(QMessageBox::YesToAll)->setText(toQt(batch->yesToAll));
        box.button(QMessageBox::NoToAll)->setText(toQt(batch->noToAll));
    }
    // Texts carry gauge answers and file names: never taken for markup.
    box.setTextFormat(Qt::PlainText);
    // Enter never replaces a file: No is the default answer of every question.
    box.setDefaultButton(question ? QMessageBox::No : QMessageBox::Ok);
    if (waitDepth_ > 0) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    const int answer = box.exec();
    if (waitDepth_ > 0) {
        QApplication::restoreOverrideCursor();
    }
    return answer;
}

void QtVoice::show(MessageKind kind, const std::string& text) {
    runBox(kind, text);
}

bool QtVoice::ask(const std::string& text) {
    return runBox(MessageKind::Question, text) == QMessageBox::Yes;
}

BatchAnswer QtVoice::askInBatch(const BatchQuestion& question) {
    switch (runBox(MessageKind::Question, question.text, &question)) {
        case QMessageBox::Yes:
            return BatchAnswer::Yes;
        case QMessageBox::YesToAll:
            return BatchAnswer::YesToAll;
        case QMessageBox::NoToAll:
            return BatchAnswer::NoToAll;
        default:
            return BatchAnswer::No;
    }
}

void QtVoice::setStatus(const std::string& text) {
    if (status_) {
        status_->setTextFormat(Qt::PlainText);
        status_->setText(toQt(text));
    }
}

void QtVoice::setProgressRange(int low, int high) {
    if (progress_) {
        progress_->setRange(low, high);
    }
}

void QtVoice::setProgress(int position) {
    if (progress_) {
        progress_->setValue(position);
    }
}

void QtVoice::setWaitCursor(bool on) {
    if (on) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++waitDepth_;
    } else if (waitDepth_ > 0) {
        QApplication::restoreOverrideCursor();
        --waitDepth_;
    }
}

void QtVoice::repaint() {
    if (status_) {
        status_->repaint();
    }
    if (progress_) {
        progress_->repaint();
    }
}

}  // namespace korvel
