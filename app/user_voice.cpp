#include "app/user_voice.h"

#include <algorithm>

namespace korvel {

const char* messageKindName(MessageKind kind) {
    switch (kind) {
        case MessageKind::Error:
            return "error";
        case MessageKind::Warning:
            return "warning";
        case MessageKind::Question:
            return "question";
        case MessageKind::Notice:
            return "notice";
    }
    return "notice";
}

bool pauseUnlessCancelled(Clock& clock, const UserVoice& voice, int ms) {
    for (int left = ms; left > 0; left -= kCancelSliceMs) {
        if (voice.cancelRequested()) {
            return false;
        }
        clock.sleepMs(std::min(left, kCancelSliceMs));
    }
    return !voice.cancelRequested();
}

}  // namespace korvel
