#include "app/ui/korvel_page.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/ui/gauge_operation_runner.h"
#include "app/ui/page_logo.h"
#include "app/ui/qt_text.h"
#include "app/ui/qt_voice.h"

namespace korvel {

// Hands everything on to the voice the page speaks through at that moment.
class KorvelPage::ForwardingVoice : public UserVoice {
  public:
    explicit ForwardingVoice(KorvelPage& page) : page_(page) {}
    void show(MessageKind kind, const std::string& text) override {
        page_.speakingVoice().show(kind, text);
    }
    bool ask(const std::string& text) override { return page_.speakingVoice().ask(text); }
    BatchAnswer askInBatch(const BatchQuestion& question) override {
        return page_.speakingVoice().askInBatch(question);
    }
    void setStatus(const std::string& text) override { page_.speakingVoice().setStatus(text); }
    void setProgressRange(int low, int high) override {
        page_.speakingVoice().setProgressRange(low, high);
    }
    void setProgress(int position) override { page_.speakingVoice().setProgress(position); }
    void setWaitCursor(bool on) override { page_.speakingVoice().setWaitCursor(on); }
    void repaint() override { page_.speakingVoice().repaint(); }

  private:
    KorvelPage& page_;
};

KorvelPage::KorvelPage(const PalimarApp& app, Screen screen, const char* titleKey, QWidget* parent)
    : QWidget(parent),
      app_(app),
      screen_(screen),
      titleKey_(titleKey),
      forwardingVoice_(std::make_unique<ForwardingVoice>(*this)) {
    setWindowTitle(title());
}

KorvelPage::~KorvelPage() {
    // An operation still running ends before the voice it speaks through goes.
    operation_.reset();
}

GaugeOperationRunner& KorvelPage::operation() {
    if (!operation_) {
        operation_ = std::make_unique<GaugeOperationRunner>(this, voice());
        connect(operation_.get(), &GaugeOperationRunner::runningChanged, this,
                &KorvelPage::operationRunningChanged);
    }
    operation_->setTimedOutMessage(app().texts().message("IDS_ERR_GAGE_TIMEDOUT"));
    return *operation_;
}

bool KorvelPage::operationRunning() const {
    return operation_ && operation_->running();
}

QString KorvelPage::title() const {
    return caption(titleKey_);
}

QString KorvelPage::caption(std::string_view key) const {
    return toQt(app_.texts().caption(screen_, key));
}

QString KorvelPage::message(std::string_view key) const {
    return toQt(app_.texts().message(key));
}

UserVoice& KorvelPage::speakingVoice() {
    if (substituteVoice_) {
        return *substituteVoice_;
    }
    if (!ownVoice_) {
        ownVoice_ = std::make_unique<QtVoice>(this, toQt(app_.appTitle()));
    }
    return *ownVoice_;
}

void KorvelPage::ensureInitialised() {
    if (initialised_) {
        return;
    }
    initialised_ = true;
    buildControls();
    firstShown();
}

void KorvelPage::buildControls() {
    if (body_) {
        return;
    }
    auto* outer = new QVBoxLayout(this);
    body_ = new QWidget(this);
    outer->addWidget(body_, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    logo_ = new PageLogo(this);
    bottom->addWidget(logo_);
    outer->addLayout(bottom);
    initialise();
    logo_->load(app_.logoPath());
}

}  // namespace korvel
