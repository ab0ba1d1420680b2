#include "gauge/gauge_directory.h"

#include <algorithm>

#include "app/text_format.h"
#include "gauge/gauge_reply.h"

namespace korvel {

namespace {

constexpr int kProgressStep = 5;
constexpr int kStepsWhileReceiving = 19;
constexpr std::string_view kDirectoryCommand = "dir /dev/datalog";

FileListEntry parseLine(std::string_view line) {
    FileListEntry entry;
    const auto withoutLastTwo = [](std::string_view text) {
        return std::string(text.substr(0, text.size() < 2 ? 0 : text.size() - 2));
    };
    const std::size_t first = line.find(',');
    if (first == std::string_view::npos) {
        entry.modified = withoutLastTwo(line);
        return entry;
    }
    entry.name = std::string(line.substr(0, first));
    const std::size_t second = line.find(',', first + 1);
    if (second == std::string_view::npos) {
        entry.modified = withoutLastTwo(line);
        return entry;
    }
    entry.type = std::string(line.substr(first + 1, second - first - 1));
    entry.modified = withoutLastTwo(line.substr(second + 1));
    return entry;
}

// The listing when the reply is one: it arrived whole, ended with the gauge's end marker (an
// empty data log is the end marker alone) and is no refusal. Otherwise says why not.
std::optional<std::string> wholeListing(GaugeLink& link, GaugeLink::Reply reply) {
    if (!replyTaken(link, kDirectoryCommand, reply)) {
        return std::nullopt;
    }
    if (!reply.endMarkerSeen) {
        link.noteOutcome(Outcome::GaugeRefused);
        link.voice().show(MessageKind::Error,
                          formatWithArgument(link.texts().message("IDS_ERR_GAGE_LISTINGUNENDED"),
                                             kDirectoryCommand, 1));
        return std::nullopt;
    }
    return std::move(reply.text);
}

}  // namespace

std::vector<FileListEntry> ParseGageDirectory(std::string_view reply) {
    std::vector<FileListEntry> entries;
    std::size_t position = 0;
    while (position < reply.size()) {
        const std::size_t lineFeed = std::min(reply.find('\n', position), reply.size());
        entries.push_back(parseLine(reply.substr(position, lineFeed - position)));
        position = lineFeed + 1;
    }
    return entries;
}

std::optional<std::string> ReadGageDirectory(GaugeLink& link) {
    UserVoice& voice = link.voice();
    const TextTable& texts = link.texts();
    voice.setStatus("");
    std::optional<std::string> listing;
    if (!link.openForOperation()) {
        voice.setStatus(link.usb().linkFailureMessage());
    } else if (link.SendCommand(kDirectoryCommand) < 1) {
        link.noteOutcome(Outcome::LinkLost);
        voice.show(MessageKind::Error, texts.message("IDS_ERR_GAGE_SENDLINE"));
    } else {
        voice.setProgressRange(1, 100);
        int packets = 1;
        GaugeLink::Reply reply = link.CollectReply([&] {
            if (packets <= kStepsWhileReceiving) {
                voice.setProgress(packets++ * kProgressStep);
            }
            voice.repaint();
        });
        if (link.cancelled()) {
            // Part of a listing would hide the files not yet listed: the list stays as it was.
            voice.setProgress(0);
            voice.setStatus(texts.message("IDS_STATUS_GAGEREFRESHCANCELLED"));
        } else {
            listing = wholeListing(link, std::move(reply));
            voice.setProgress(listing ? 100 : 0);
            voice.setStatus(texts.message(listing ? "IDS_STATUS_GAGEREFRESHCOMPLETE"
                                                  : "IDS_STATUS_GAGEREFRESHFAILURE"));
        }
    }
    link.ReleaseGage();
    voice.setProgress(1);
    voice.repaint();
    return listing;
}

std::optional<std::vector<FileListEntry>> refreshGaugeFileList(GaugeLink& link) {
    WaitCursor wait(link.voice());
    link.voice().setStatus("");
    const std::optional<std::string> listing = ReadGageDirectory(link);
    if (!listing) {
        return std::nullopt;
    }
    return ParseGageDirectory(*listing);
}

}  // namespace korvel
