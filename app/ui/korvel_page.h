#pragma once
// What every page of the option sheet shares: its title from the text table, its captions,
// the logo at its lower right, the moment it is first shown, and becoming active or being left.

#include <QString>
#include <QWidget>
#include <memory>
#include <string_view>

#include "app/palimar_app.h"
#include "app/text_catalog.h"
#include "app/user_voice.h"

class QBoxLayout;
class QVBoxLayout;

namespace korvel {

class GaugeOperationRunner;
class PageLogo;

class KorvelPage : public QWidget {
    Q_OBJECT
  public:
    KorvelPage(const PalimarApp& app, Screen screen, const char* titleKey,
               QWidget* parent = nullptr);
    ~KorvelPage() override;

    // The page's title and tab title.
    QString title() const;
    // Builds the controls once. The sheet builds those of every page it shows before it opens,
    // so that it opens at the size of its largest page.
    void buildControls();
    // Builds the controls when not yet built and, the first time, does what the page does when
    // it is first shown (a page is set up when it is first shown).
    void ensureInitialised();
    bool isInitialised() const { return initialised_; }

    // The sheet calls these when the page becomes the current tab and when another is chosen.
    virtual void activated() {}
    virtual void left() {}
    // The sheet's close button asks the current page first; a page may refuse.
    virtual bool closeAllowed() { return true; }

    // The voice the page speaks through: its own message boxes, progress bar and status line
    // unless another one is put in place (the tests use a recording one). The reference stays
    // valid for the page's life and follows a later setVoice.
    UserVoice& voice() { return *forwardingVoice_; }
    void setVoice(UserVoice* voice) { substituteVoice_ = voice; }

    PageLogo* logo() const { return logo_; }

    // The runner of the page's gauge operations, speaking through the page's voice (made on
    // first use).
    GaugeOperationRunner& operation();
    bool operationRunning() const;

  signals:
    // A gauge operation of the page started or ended (the sheet holds its tabs meanwhile).
    void operationRunningChanged(bool running);
    // The page asks the sheet to show it (another page handed it work).
    void currentWanted();

  protected:
    // Creates the page's controls in body(); called once.
    virtual void initialise() = 0;
    // What the page does when it is first shown, after its controls are built (list a folder,
    // take the focus); called once.
    virtual void firstShown() {}

    QString caption(std::string_view key) const;
    QString message(std::string_view key) const;
    const PalimarApp& app() const { return app_; }
    QWidget* body() const { return body_; }
    // The page's own voice, tied to its progress bar and status line when it has them.
    void setOwnVoice(std::unique_ptr<UserVoice> voice) { ownVoice_ = std::move(voice); }

  private:
    class ForwardingVoice;
    UserVoice& speakingVoice();

    const PalimarApp& app_;
    Screen screen_;
    const char* titleKey_;
    bool initialised_ = false;
    QWidget* body_ = nullptr;  // made with the controls
    PageLogo* logo_ = nullptr;
    std::unique_ptr<UserVoice> ownVoice_;
    UserVoice* substituteVoice_ = nullptr;
    std::unique_ptr<UserVoice> forwardingVoice_;
    std::unique_ptr<GaugeOperationRunner> operation_;
};

}  // namespace korvel
