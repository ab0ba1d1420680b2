#include "app/ui/option_sheet.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/palimar_app.h"
#include "app/text_catalog.h"
#include "app/ui/about_box.h"
#include "app/ui/gauge_operation_runner.h"
#include "app/ui/korvel_page.h"
#include "app/ui/qt_text.h"

namespace korvel {

COptionSheet::COptionSheet(const PalimarApp& app, const PageSet& pages, QWidget* parent)
    : QDialog(parent), app_(app) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowTitle(toQt(programWindowTitle(app)));
    auto* layout = new QVBoxLayout(this);

    std::vector<KorvelPage*> shown;
    for (std::size_t i = 0; i < pages.size(); ++i) {
        KorvelPage* page = pages[i];
        page->setParent(this);
        page->hide();
        if (pageEnabled(static_cast<SheetPage>(i), app)) {
            shown.push_back(page);
        }
    }
    if (shown.empty()) {
        noPagesNotice_ = new QLabel(toQt(app.texts().message("IDS_MSG_NO_PAGES_ENABLED")), this);
        noPagesNotice_->setObjectName("noPagesNotice");
        noPagesNotice_->setWordWrap(true);
        noPagesNotice_->setAlignment(Qt::AlignCenter);
        noPagesNotice_->setMinimumSize(420, 160);
        layout->addWidget(noPagesNotice_, 1);
    } else {
        addTabs(shown);
        layout->addWidget(tabs_, 1);
    }

    auto* buttons = new QHBoxLayout;
    aboutButton_ = new QPushButton(toQt(app.texts().message("IDS_ABOUT_MENU")), this);
    aboutButton_->setObjectName("aboutButton");
    aboutButton_->setAutoDefault(false);
    closeButton_ = new QPushButton(toQt(app.texts().message("IDS_SHEET_CLOSE")), this);
    closeButton_->setObjectName("closeButton");
    // No default button: Enter in a text box must not end the program and lose what was typed.
    closeButton_->setAutoDefault(false);
    buttons->addWidget(aboutButton_);
    buttons->addStretch(1);
    buttons->addWidget(closeButton_);
    layout->addLayout(buttons);
    connect(aboutButton_, &QPushButton::clicked, this, &COptionSheet::showAbout);
    connect(closeButton_, &QPushButton::clicked, this, &QDialog::accept);

    if (tabs_) {
        fitPagesToScreen();
        connect(tabs_, &QTabWidget::currentChanged, this, &COptionSheet::changeCurrentPage);
        changeCurrentPage(0);
    }
}

void COptionSheet::addTabs(const std::vector<KorvelPage*>& shown) {
    tabs_ = new QTabWidget(this);
    // Every tab shows whole: no scroll arrows, no shortened titles; the sheet is never
    // narrower than its row of tabs.
    tabs_->setUsesScrollButtons(false);
    tabs_->setElideMode(Qt::ElideNone);
    for (KorvelPage* page : shown) {
        // Built now, so that the sheet knows the size of its largest page; what a page does
        // when it is first shown waits until then.
        page->buildControls();
        tabs_->addTab(page, page->title());
        connect(page, &KorvelPage::operationRunningChanged, this, &COptionSheet::holdTabs);
        // Not while another page's operation holds the tabs.
        connect(page, &KorvelPage::currentWanted, this, [this, page] {
            if (const int tab = tabs_->indexOf(page); tabs_->isTabEnabled(tab)) {
                setCurrentPage(tab);
            }
        });
    }
    tabs_->ensurePolished();
}

// The sheet opens, and stays, at least as large as its largest page (a window otherwise opens
// at no more than two thirds of the screen, and a page whose text wraps would be squeezed to
// its minimum). Only on a screen without room for that (a laptop at 125 % has about 1090 by
// 570 points) the pages shrink as far as their controls allow and the tabs scroll if their
// row is wider than the screen, so that Close stays on the screen.
void COptionSheet::fitPagesToScreen() {
    const QSize comfortable = tabs_->sizeHint();
    const QSize around = layout()->sizeHint() - comfortable +
                         QSize(0, style()->pixelMetric(QStyle::PM_TitleBarHeight));
    const QSize room = screen()->availableGeometry().size() - around;
    if (tabs_->tabBar()->sizeHint().width() > room.width()) {
        tabs_->setUsesScrollButtons(true);
    }
    tabs_->setMinimumSize(comfortable.boundedTo(room).expandedTo(tabs_->minimumSizeHint()));
}

int COptionSheet::pageCount() const {
    return tabs_ ? tabs_->count() : 0;
}

KorvelPage* COptionSheet::page(int tab) const {
    return tabs_ ? qobject_cast<KorvelPage*>(tabs_->widget(tab)) : nullptr;
}

KorvelPage* COptionSheet::currentPage() const {
    return activePage_;
}

void COptionSheet::setCurrentPage(int tab) {
    if (tabs_) {
        tabs_->setCurrentIndex(tab);
    }
}

void COptionSheet::changeCurrentPage(int tab) {
    if (activePage_) {
        activePage_->left();
    }
    activePage_ = page(tab);
    if (activePage_) {
        activePage_->ensureInitialised();
        activePage_->activated();
    }
}

void COptionSheet::holdTabs(bool held) {
    // Another page cannot be reached, by mouse or by Ctrl+Tab, while an operation runs.
    for (int tab = 0; tab < tabs_->count(); ++tab) {
        tabs_->setTabEnabled(tab, !held || tab == tabs_->currentIndex());
    }
}

bool COptionSheet::endRunningOperation() {
    GaugeOperationRunner* running = GaugeOperationRunner::active();
    if (!running) {
        return true;
    }
    // The worker's next box waits until the close question is answered; after Yes it meets
    // the cancel.
    running->holdDialogs();
    const bool stop =
        activePage_ && activePage_->voice().ask(app_.texts().message("IDS_MSG_CANCEL_ON_CLOSE"));
    if (stop) {
        closing_ = true;
        running->cancel();
    }
    running->releaseDialogs();
    if (!stop) {
        return false;
    }
    running->waitUntilEnded();
    closing_ = false;
    return true;
}

void COptionSheet::done(int result) {
    // A close given while the sheet waits for an operation to end is the same close.
    if (closing_) {
        return;
    }
    if (result == QDialog::Accepted && activePage_ && !activePage_->closeAllowed()) {
        return;
    }
    if (!endRunningOperation()) {
        return;
    }
    if (activePage_) {
        activePage_->left();
        activePage_ = nullptr;
    }
    QDialog::done(result);
}

void COptionSheet::keyPressEvent(QKeyEvent* event) {
    // Enter reaches the sheet only from a control that leaves it alone (a text box); it
    // presses no button there, not even the one that last had the focus. Escape does not end
    // the program either: only the Close button and the close box do. A focused button still
    // takes Enter itself.
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter || event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void COptionSheet::showAbout() {
    AboutBox about(app_, this);
    emit aboutOpening();
    about.exec();
}

}  // namespace korvel
