#pragma once
// A UserVoice for tests: records every message with its kind, every question, status line and
// progress position, and answers questions from a script (then with the default answer); it
// cancels the operation when its condition says so.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/user_voice.h"

namespace korvel::test {

struct Said {
    MessageKind kind;
    std::string text;
    bool operator==(const Said& other) const { return kind == other.kind && text == other.text; }
};

class RecordingVoice : public UserVoice {
  public:
    void show(MessageKind kind, const std::string& text) override { said.push_back({kind, text}); }
    bool ask(const std::string& text) override {
        said.push_back({MessageKind::Question, text});
        if (answers.empty()) {
            return defaultAnswer;
        }
        const bool answer = answers.front();
        answers.pop_front();
        return answer;
    }
    // Recorded as a question; answered from batchAnswers, else as ask() answers.
    BatchAnswer askInBatch(const BatchQuestion& question) override {
        askedInBatch.push_back(question);
        if (batchAnswers.empty()) {
            return ask(question.text) ? BatchAnswer::Yes : BatchAnswer::No;
        }
        said.push_back({MessageKind::Question, question.text});
        const BatchAnswer answer = batchAnswers.front();
        batchAnswers.pop_front();
        return answer;
    }
    void setStatus(const std::string& text) override {
        status = text;
        statuses.push_back(text);
    }
    void setProgressRange(int low, int high) override {
        rangeLow = low;
        rangeHigh = high;
    }
    void setProgress(int position) override {
        progress = position;
        progressHistory.push_back(position);
    }
    void setWaitCursor(bool on) override { waitCursor = on; }
    bool cancelRequested() const override { return cancelWhen && cancelWhen(); }
    void setCancellable(bool on) override { cancellable.push_back(on); }

    std::vector<Said> said;
    std::deque<bool> answers;
    std::deque<BatchAnswer> batchAnswers;
    std::vector<BatchQuestion> askedInBatch;
    bool defaultAnswer = false;
    std::string status;
    std::vector<std::string> statuses;
    int rangeLow = 0, rangeHigh = 0, progress = 0;
    std::vector<int> progressHistory;
    bool waitCursor = false;
    // The person cancels once this gives true (asked by the core at every packet and slice).
    std::function<bool()> cancelWhen;
    std::vector<bool> cancellable;
};

}  // namespace korvel::test
