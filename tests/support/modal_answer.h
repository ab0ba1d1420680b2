#pragma once
// Answers the next modal dialog of a test as soon as the event loop runs it.

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace korvel::test {

// Calls `answer` with the modal dialog that opens next (polling the event loop until it does).
inline void answerNextModal(std::function<void(QDialog*)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer = std::move(answer)] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start(0);
}

}  // namespace korvel::test
