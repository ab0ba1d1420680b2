#pragma once
// The one way the core speaks to the person at the keyboard. The Qt pages answer with message
// boxes, progress bars and the wait cursor; korvel-cli with lines on stderr; the tests with a
// recorder that answers questions from a script.

#include <string>

#include "app/clock.h"

namespace korvel {

enum class MessageKind {
    Error,     // error icon, OK
    Warning,   // exclamation icon, OK
    Question,  // question icon, Yes/No (only through ask())
    Notice,    // plain OK box
};

const char* messageKindName(MessageKind kind);  // "error", "warning", "question", "notice"

// The answer to one question of several of a kind; the "to all" answers stand for the later
// ones as well.
enum class BatchAnswer { Yes, No, YesToAll, NoToAll };

// One question of several of a kind (each file of a batch that would replace one), with the
// captions of the two "to all" answers.
struct BatchQuestion {
    std::string text;
    std::string yesToAll;
    std::string noToAll;
};

class UserVoice {
  public:
    virtual ~UserVoice() = default;

    // A message box of the given kind (never Question).
    virtual void show(MessageKind kind, const std::string& text) = 0;
    // A Yes/No question box; true for Yes. No is the default answer.
    virtual bool ask(const std::string& text) = 0;
    // A question of a batch: Yes, Yes to All, No (the default), No to All. A voice without the
    // "to all" answers asks the plain question.
    virtual BatchAnswer askInBatch(const BatchQuestion& question) {
        return ask(question.text) ? BatchAnswer::Yes : BatchAnswer::No;
    }
    // The page's status line.
    virtual void setStatus(const std::string& text) = 0;
    // The page's progress bar.
    virtual void setProgressRange(int low, int high) = 0;
    virtual void setProgress(int position) = 0;
    // The wait cursor, shown while an operation runs to its end.
    virtual void setWaitCursor(bool on) = 0;
    // Repaint the page's fields now (between USB packets).
    virtual void repaint() {}
    // Whether the person asked the running operation to stop. The core asks at every packet
    // boundary and pause slice, on the thread the operation runs on.
    virtual bool cancelRequested() const { return false; }
    // Whether a cancel would still be honoured; the upgrade turns it off before the firmware
    // image goes out, so that the window can say so.
    virtual void setCancellable(bool) {}
};

// Waits ms on the clock in slices of at most kCancelSliceMs, ending early when the voice says
// the operation is cancelled. True when the whole pause has passed.
constexpr int kCancelSliceMs = 50;
bool pauseUnlessCancelled(Clock& clock, const UserVoice& voice, int ms);

// Shows the wait cursor for the life of the object.
class WaitCursor {
  public:
    explicit WaitCursor(UserVoice& voice) : voice_(voice) { voice_.setWaitCursor(true); }
    ~WaitCursor() { voice_.setWaitCursor(false); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    UserVoice& voice_;
};

// A voice that says nothing and answers every question with a fixed answer.
class SilentVoice : public UserVoice {
  public:
    explicit SilentVoice(bool answer = false) : answer_(answer) {}
    void show(MessageKind, const std::string&) override {}
    bool ask(const std::string&) override { return answer_; }
    void setStatus(const std::string&) override {}
    void setProgressRange(int, int) override {}
    void setProgress(int) override {}
    void setWaitCursor(bool) override {}

  private:
    bool answer_;
};

}  // namespace korvel
