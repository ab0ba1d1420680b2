#pragma once
// A voice that speaks through whatever voice its page has at the moment (its own boxes and
// status line, or the one a test put in place), so that a core object made once can outlive
// a change of the page's voice.

#include "app/ui/korvel_page.h"

namespace korvel {

class PageVoice : public UserVoice {
  public:
    explicit PageVoice(KorvelPage& page) : page_(page) {}

    void show(MessageKind kind, const std::string& text) override {
        page_.voice().show(kind, text);
    }
    bool ask(const std::string& text) override { return page_.voice().ask(text); }
    void setStatus(const std::string& text) override { page_.voice().setStatus(text); }
    void setProgressRange(int low, int high) override { page_.voice().setProgressRange(low, high); }
    void setProgress(int position) override { page_.voice().setProgress(position); }
    void setWaitCursor(bool on) override { page_.voice().setWaitCursor(on); }
    void repaint() override { page_.voice().repaint(); }

  private:
    KorvelPage& page_;
};

}  // namespace korvel
