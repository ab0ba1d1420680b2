#include "app/ui/korvel_page.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "app/ui/page_logo.h"
#include "app/ui/qt_text.h"
#include "app/ui/qt_voice.h"

namespace korvel {

KorvelPage::KorvelPage(const PalimarApp& app, Screen screen, const char* titleKey,
                       QWidget* parent)
    : QWidget(parent), app_(app), screen_(screen), titleKey_(titleKey) {
    setWindowTitle(title());
}

KorvelPage::~KorvelPage() = default;

QString KorvelPage::title() const { return caption(titleKey_); }

QString KorvelPage::caption(std::string_view key) const {
    return toQt(app_.texts().caption(screen_, key));
}

QString KorvelPage::message(std::string_view key) const {
    return toQt(app_.texts().message(key));
}

UserVoice& KorvelPage::voice() {
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
