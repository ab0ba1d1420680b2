#include "app/user_voice.h"

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

}  // namespace korvel
