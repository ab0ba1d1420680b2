#pragma once

#include <iostream>

#include "app/user_voice.h"
#include "cli/interrupt.h"
#include "gauge/gauge_reply.h"

namespace korvel::cli {

// Messages as "KIND: TEXT", questions followed by "answer: yes|no", status lines as
// "status: TEXT", all on standard error. Ctrl+C during a gauge command is its cancel.
class StderrVoice : public UserVoice {
  public:
    explicit StderrVoice(bool answer) : answer_(answer) {}
    // A text holding the gauge's words never reaches the terminal as its controls.
    void show(MessageKind kind, const std::string& text) override {
        std::cerr << messageKindName(kind) << ": " << visibleGaugeText(text) << '\n';
    }
    bool ask(const std::string& text) override {
        std::cerr << "question: " << text << '\n' << "answer: " << (answer_ ? "yes" : "no") << '\n';
        return answer_;
    }
    void setStatus(const std::string& text) override {
        if (!text.empty()) {
            std::cerr << "status: " << text << '\n';
        }
    }
    void setProgressRange(int, int) override {}
    void setProgress(int) override {}
    void setWaitCursor(bool) override {}
    bool cancelRequested() const override { return interrupted(); }
    void setCancellable(bool cancellable) override { setInterruptHonoured(cancellable); }

  private:
    bool answer_;
};

}  // namespace korvel::cli
