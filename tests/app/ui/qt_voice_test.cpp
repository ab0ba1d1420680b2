#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

#include "app/ui/qt_voice.h"
#include "tests/support/modal_answer.h"

namespace korvel {
namespace {

TEST(QtVoiceTest, MessageBoxesOfEachKind) {
    QWidget owner;
    QtVoice voice(&owner, "Korvel");
    struct Case {
        MessageKind kind;
        QMessageBox::Icon icon;
        QMessageBox::StandardButtons buttons;
    } cases[] = {
        {MessageKind::Error, QMessageBox::Critical, QMessageBox::Ok},
        {MessageKind::Warning, QMessageBox::Warning, QMessageBox::Ok},
        {MessageKind::Notice, QMessageBox::NoIcon, QMessageBox::Ok},
    };
    for (const Case& c : cases) {
        QMessageBox::Icon icon{};
        QMessageBox::StandardButtons buttons;
        QString text, title;
        Qt::TextFormat format = Qt::AutoText;
        test::answerNextModal([&](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            icon = box->icon();
            buttons = box->standardButtons();
            text = box->text();
            format = box->textFormat();
            title = box->windowTitle();
            box->accept();
        });
        voice.show(c.kind, "<b>Line one</b>\nline two");
        EXPECT_EQ(icon, c.icon);
        EXPECT_EQ(buttons, c.buttons);
        EXPECT_EQ(text, "<b>Line one</b>\nline two");
        EXPECT_EQ(format, Qt::PlainText);  // a gauge answer or file name is never markup
        EXPECT_EQ(title, "Korvel");
    }
}

TEST(QtVoiceTest, QuestionsAnswerYesOrNo) {
    QtVoice voice(nullptr, "Korvel");
    for (const auto& [button, expected] :
         {std::pair{QMessageBox::Yes, true}, std::pair{QMessageBox::No, false}}) {
        QMessageBox::Icon icon{};
        Qt::TextFormat format = Qt::AutoText;
        test::answerNextModal([&, button = button](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            icon = box->icon();
            format = box->textFormat();
            box->button(button)->click();
        });
        EXPECT_EQ(voice.ask("Overwrite?\n\n<i>A.CSV</i>"), expected);
        EXPECT_EQ(icon, QMessageBox::Question);
        EXPECT_EQ(format, Qt::PlainText);
    }
}

// Enter never replaces a file: No is the default of a question and of a batch's question,
// which offers Yes, No, Yes to All and No to All.
TEST(QtVoiceTest, NoIsTheDefaultAndABatchOffersFourAnswers) {
    QtVoice voice(nullptr, "Korvel");
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton questionDefault{}, batchDefault{};
    QString yesToAll;
    test::answerNextModal([&](QDialog* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        questionDefault = box->standardButton(box->defaultButton());
        dialog->accept();
    });
    voice.ask("Overwrite?");
    EXPECT_EQ(questionDefault, QMessageBox::No);
    test::answerNextModal([&](QDialog* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        buttons = box->standardButtons();
        yesToAll = box->button(QMessageBox::YesToAll)->text();
        batchDefault = box->standardButton(box->defaultButton());
        box->button(QMessageBox::NoToAll)->click();
    });
    EXPECT_EQ(voice.askInBatch({"Overwrite?", "Yes to &All", "N&o to All"}), BatchAnswer::NoToAll);
    EXPECT_EQ(buttons,
              QMessageBox::Yes | QMessageBox::No | QMessageBox::YesToAll | QMessageBox::NoToAll);
    EXPECT_EQ(yesToAll, "Yes to &All");
    EXPECT_EQ(batchDefault, QMessageBox::No);
}

TEST(QtVoiceTest, StatusProgressAndWaitCursor) {
    QWidget page;
    auto* bar = new QProgressBar(&page);
    auto* status = new QLabel(&page);
    {
        QtVoice voice(&page, "Korvel", bar, status);
        voice.setStatus("<b>Transfer</b> complete");
        voice.setProgressRange(0, 100000);
        voice.setProgress(64);
        voice.repaint();
        EXPECT_EQ(status->text(), "<b>Transfer</b> complete");
        EXPECT_EQ(status->textFormat(), Qt::PlainText);
        EXPECT_EQ(bar->maximum(), 100000);
        EXPECT_EQ(bar->value(), 64);

        voice.setWaitCursor(true);
        voice.setWaitCursor(true);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        // A box shows the arrow while the operation waits for the answer.
        Qt::CursorShape duringBox = Qt::WaitCursor;
        test::answerNextModal([&](QDialog* dialog) {
            duringBox = QApplication::overrideCursor()->shape();
            dialog->accept();
        });
        voice.show(MessageKind::Notice, "done");
        EXPECT_EQ(duringBox, Qt::ArrowCursor);
        voice.setWaitCursor(false);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    // A voice that goes away takes its wait cursor with it.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtVoiceTest, WithoutBarOrStatusLineOnlyBoxesSpeak) {
    QtVoice voice(nullptr, "Korvel");
    voice.setStatus("x");
    voice.setProgressRange(1, 100);
    voice.setProgress(5);
    voice.repaint();
    voice.setWaitCursor(false);  // no wait cursor to take away
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace korvel
