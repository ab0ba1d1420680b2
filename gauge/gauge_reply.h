#pragma once
// Judging a reply before it is taken, with the message that says why it cannot be: the gauge
// went on without end, the link was lost, nothing came, or the gauge refused ("ERROR ...").
// The gauge's own words are always shown as text, never as terminal controls.

#include <string>
#include <string_view>

#include "gauge/gauge_link.h"

namespace korvel {

// The gauge's text as it may be shown: CR LF becomes LF, and every other control character
// (below 0x20 except LF, DEL, 0x80 to 0x9F) is written as \xHH.
std::string visibleGaugeText(std::string_view text);
// The bytes in hexadecimal, two digits each, separated by blanks ("1b 41 ff").
std::string hexBytes(std::string_view bytes);

// True when the reply arrived whole enough to be judged: not cut at kMaxReplyBytes, not ended
// by a lost link, not empty. Otherwise shows why in an error box naming the command.
bool replyArrived(GaugeLink& link, std::string_view command, const GaugeLink::Reply& reply);
// replyArrived, and not a refusal; a refusal is shown in an error box with the gauge's words.
bool replyTaken(GaugeLink& link, std::string_view command, const GaugeLink::Reply& reply);

// The error box for a refused command, with the gauge's words.
void showRefusal(UserVoice& voice, const TextTable& texts, std::string_view command,
                 std::string_view reply);
// The error box for a reply cut at kMaxReplyBytes.
void showReplyTooLong(UserVoice& voice, const TextTable& texts, std::string_view command);

}  // namespace korvel
