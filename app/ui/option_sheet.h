#pragma once
// The tabbed window in which the user works: the pages the configuration enables, in their
// order, a "&Close" button that ends the program, and the About box. Neither Enter nor Escape
// ends it.

#include <QDialog>
#include <vector>

#include "app/ui/sheet_pages.h"

class QLabel;
class QPushButton;
class QTabWidget;

namespace korvel {

class PalimarApp;

class COptionSheet : public QDialog {
    Q_OBJECT
  public:
    // Takes every page of the set as a child; adds those the configuration enables.
    COptionSheet(const PalimarApp& app, const PageSet& pages, QWidget* parent = nullptr);

    // The pages shown as tabs, in tab order.
    int pageCount() const;
    KorvelPage* page(int tab) const;
    KorvelPage* currentPage() const;
    void setCurrentPage(int tab);
    // Shown in place of the tabs when the configuration enables no page; null otherwise.
    QLabel* noPagesNotice() const { return noPagesNotice_; }
    QPushButton* closeButton() const { return closeButton_; }
    QPushButton* aboutButton() const { return aboutButton_; }

    void done(int result) override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  signals:
    // The About box is about to open (the tests close it).
    void aboutOpening();

  private:
    void addTabs(const std::vector<KorvelPage*>& shown);
    void fitPagesToScreen();
    void changeCurrentPage(int tab);
    void showAbout();
    // Only the current tab can be chosen while a page's gauge operation runs.
    void holdTabs(bool held);
    // Nothing runs, or the person chose to cancel what runs and it has ended (the gauge is
    // released); false when the operation is to go on.
    bool endRunningOperation();

    const PalimarApp& app_;
    QTabWidget* tabs_ = nullptr;
    QLabel* noPagesNotice_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* aboutButton_ = nullptr;
    KorvelPage* activePage_ = nullptr;
    bool closing_ = false;
};

}  // namespace korvel
